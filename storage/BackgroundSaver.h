#pragma once
// The save points of play, written without making the interface wait for the disk.
//
// A kill loses only what never reached the kernel, and a write or a rename reaches it at
// once; only a power cut loses what was not flushed, and a flush waits for the disk. So Save,
// on the calling thread, writes the save point's pending journal (PendingJournalPath) with a
// write and a rename and returns: from then on a kill keeps that save point, for the next
// start completes the pending journal. One thread of its own then saves the newest save point
// through the journal as WriteTogether does, flushes and all: after that, a power cut keeps
// it too. Save points handed over while it works wait, and only the newest of them is saved
// next (each holds the whole of both files); two saves never run at once, and never out of
// order.
//
// The pending journal notes each file as the journal standing at the time leaves it once
// completed. While the thread saves the journal of a save point, its files are between their
// states of before and after, and the journal's old states are those the pending journal
// notes; the start-up then takes the pending journal for that journal's successor (see
// RecoverJournals). Once the thread has saved it, the pending journal holds the save point the
// journal holds, and stays until the next save point replaces it: its removal would be one
// more wait for the file system, on a lock the interface thread waits for. The closing save
// removes it.

#include "storage/SaveJournal.h"

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace corvanta {

class BackgroundSaver {
public:
    explicit BackgroundSaver(std::string journalPath);
    // Waits for the save points handed over, then ends the thread.
    ~BackgroundSaver();
    BackgroundSaver(const BackgroundSaver&) = delete;
    BackgroundSaver& operator=(const BackgroundSaver&) = delete;

    // Writes the pending journal of `files` and hands them to the thread. A failure is that of
    // the pending journal: then nothing was handed over.
    SaveResult Save(std::vector<FileImage> files);
    // Waits for the save points handed over, then saves `files` on the calling thread with
    // WriteTogether's Closed end, and removes the pending journal once that has worked.
    SaveResult SaveAndClose(const std::vector<FileImage>& files);
    // Waits until the thread has saved every save point handed over.
    void Wait();
    // How the thread's saves went since the last call, oldest first: one a save it ran.
    std::vector<SaveResult> TakeResults();

    // For the tests: run on the thread before each save it runs.
    void BeforeEachSave(std::function<void()> pause);

private:
    void Work();
    // Writes the pending journal of `files`; with mutex_ held.
    SaveResult WritePending(const std::vector<FileImage>& files);
    // Each file as the standing journal leaves it once completed (see StatesAfterJournal).
    void NoteBase(const std::vector<FileImage>& files);

    const std::string journalPath_;
    const std::string pendingPath_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::vector<FileImage>> waiting_; // the newest save point not yet taken
    bool saving_ = false;
    bool stopping_ = false;
    std::map<std::string, std::string> base_; // each file's state, by path (see NoteBase)
    std::vector<SaveResult> results_;
    std::function<void()> pause_;
    std::thread thread_; // started by the first Save
};

} // namespace corvanta
