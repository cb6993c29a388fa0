#include "storage/BackgroundSaver.h"

#include <unistd.h>
#include <utility>

namespace corvanta {
namespace {

std::vector<std::string> PathsOf(const std::vector<FileImage>& files) {
    std::vector<std::string> paths;
    for (const FileImage& file : files) {
        paths.push_back(file.path);
    }
    return paths;
}

} // namespace

BackgroundSaver::BackgroundSaver(std::string journalPath)
    : journalPath_(std::move(journalPath)), pendingPath_(PendingJournalPath(journalPath_)) {}

BackgroundSaver::~BackgroundSaver() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void BackgroundSaver::NoteBase(const std::vector<FileImage>& files) {
    const std::vector<std::string> paths = PathsOf(files);
    const std::vector<std::string> states = StatesAfterJournal(journalPath_, paths);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        base_[paths[i]] = states[i];
    }
}

SaveResult BackgroundSaver::WritePending(const std::vector<FileImage>& files) {
    std::vector<JournalEntry> entries;
    for (const FileImage& file : files) {
        if (!base_.contains(file.path)) {
            NoteBase(files); // the first save of these files: nothing is under way
        }
        entries.push_back({file, base_[file.path]});
    }
    // Written and renamed, not flushed: the kernel keeps it through a kill, and the thread's
    // flushes keep its save point through a power cut.
    return WriteFileAtomically(pendingPath_, JournalBytes(entries), Flush::Lazy);
}

SaveResult BackgroundSaver::Save(std::vector<FileImage> files) {
    {
        const std::lock_guard lock(mutex_);
        if (SaveResult pending = WritePending(files); !pending.ok) {
            return pending;
        }
        waiting_ = std::move(files); // an older save point still waiting is overtaken
        if (!thread_.joinable()) {
            thread_ = std::thread(&BackgroundSaver::Work, this);
        }
    }
    changed_.notify_all();
    return {};
}

void BackgroundSaver::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return waiting_ || stopping_; });
        if (!waiting_) {
            return; // stopping, and nothing left to save
        }
        const std::vector<FileImage> files = std::move(*waiting_);
        waiting_.reset();
        saving_ = true;
        const std::function<void()> pause = pause_;
        lock.unlock();
        if (pause) {
            pause();
        }
        const SaveResult result = WriteTogether(journalPath_, files, JournalEnd::Kept);
        const std::vector<std::string> states = StatesAfterJournal(journalPath_, PathsOf(files));
        lock.lock();
        for (std::size_t i = 0; i < files.size(); ++i) {
            base_[files[i].path] = states[i];
        }
        results_.push_back(result);
        saving_ = false;
        changed_.notify_all();
    }
}

void BackgroundSaver::Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !waiting_ && !saving_; });
}

SaveResult BackgroundSaver::SaveAndClose(const std::vector<FileImage>& files) {
    Wait();
    // Nothing is under way now, and only this thread hands anything over.
    const std::lock_guard lock(mutex_);
    // The pending journal holds this last save point while it is saved, so a kill keeps it
    // as it keeps the others, and no older pending journal outlives it.
    WritePending(files);
    const SaveResult result = WriteTogether(journalPath_, files, JournalEnd::Closed);
    if (result.ok) {
        ::unlink(pendingPath_.c_str());
    }
    NoteBase(files);
    return result;
}

std::vector<SaveResult> BackgroundSaver::TakeResults() {
    const std::lock_guard lock(mutex_);
    return std::exchange(results_, {});
}

void BackgroundSaver::BeforeEachSave(std::function<void()> pause) {
    const std::lock_guard lock(mutex_);
    pause_ = std::move(pause);
}

} // namespace corvanta
