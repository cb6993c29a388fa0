#pragma once
// The debug console's raw editor of the account table: it steps through the records,
// edits a record's name and savings, appends and deletes records, and makes the record on
// view the current account. It never shows a message: what it refuses simply does nothing.

#include "bank/AccountTable.h"
#include "engine/Format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvanta {

// The editor's own state: the slot on view. 1 when the console window is created.
struct RecordEditor {
    std::int16_t RecordIndex = 1;
};

// The two ways the console writes a record's name and savings.
enum class BoxForm {
    Trimmed,  // name without surrounding spaces, savings in spaced form (" 150")
    AsStored, // name with all 20 characters, savings in plain form ("150")
};

// A record as the console writes it.
struct RecordText {
    std::string name;
    std::string savings;

    bool operator==(const RecordText&) const = default;
};

RecordText TextOf(const AccountRecord& record, BoxForm form);

// The record on view and its index (RecordIndex in spaced form).
struct RecordView {
    RecordText record;
    std::string index;

    bool operator==(const RecordView&) const = default;
};

// The account summary line the console shows: " 2\ 3 > $ 150 >>Main<<" for
// current account 2 of 3, holding $150 and named "Main". GCNum may lie beyond the count
// after deletions; the slot is read within the table all the same.
std::string AccountSummary(const Bank& bank);

struct EditorStart {
    RecordView view;     // record 1, trimmed form
    std::string summary; // the summary line
};

// The console's load step: RecordIndex := 1 and record 1 on view.
EditorStart StartRecordEditor(RecordEditor& editor, const Bank& bank);

// "C": the current account on view, trimmed form.
RecordView ShowCurrentRecord(RecordEditor& editor, const Bank& bank);

// ">" and "<": the next or previous account, as stored; nothing at the last or first one.
std::optional<RecordView> ShowNextRecord(RecordEditor& editor, const Bank& bank);
std::optional<RecordView> ShowPreviousRecord(RecordEditor& editor, const Bank& bank);

// "New Record": one more account, on view as stored. The slot keeps whatever it holds
// (a deleted record's leftovers included). Nothing when the table is full.
std::optional<RecordView> NewRecord(RecordEditor& editor, Bank& bank);

// "Save Changes": name (trimmed, cut or padded to 20) and savings (read as a number
// rounded toward minus infinity) of the record on view. Savings text that is empty, not a
// number or outside 32 bits changes nothing at all, the name included, so a typo never
// half-applies; returns whether the record was stored. Nothing is redisplayed.
bool SaveRecordChanges(const RecordEditor& editor, Bank& bank, std::string_view name,
                       std::string_view savings);

// What "Set As GCNum" shows on the main window and the console.
struct CurrentAccountChange {
    std::string name;    // the record's name, trimmed
    Money savings;       // its savings in plain form, without "$"
    std::string summary; // the summary line
};

// "Set As GCNum": the record on view becomes the current account.
CurrentAccountChange SetAsGCNum(const RecordEditor& editor, Bank& bank);

struct DeleteOutcome {
    // The record the console shows afterwards, trimmed form; nullopt: it keeps what it shows.
    // The index shown is never rewritten (RecordIndex keeps the deleted position).
    std::optional<RecordText> shown;
    std::string summary; // the summary line
};

// "Delete Record": removes the record on view. Below the last account the records above it
// move down one place; the last account is blanked (name 20 spaces, savings 0). GCNum is
// not adjusted. Nothing when no account is left.
std::optional<DeleteOutcome> DeleteRecord(const RecordEditor& editor, Bank& bank);

} // namespace corvanta
