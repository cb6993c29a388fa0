#include "bank/RecordEditor.h"

#include "engine/Format.h"
#include "storage/DecimalText.h"

#include <algorithm>

namespace corvanta {
namespace {

// RecordIndex and GCNum normally name a slot of the table, but "C" copies GCNum (which a
// damaged settings file may have set below 1) and deletions leave both where they were.
// Every access goes through here so none reaches outside slots 0..100.
AccountRecord& Slot(Bank& bank, int index) {
    return bank.AccountTable[std::clamp(index, 0, MaxAccounts)];
}
const AccountRecord& Slot(const Bank& bank, int index) {
    return bank.AccountTable[std::clamp(index, 0, MaxAccounts)];
}

RecordView ViewOf(const RecordEditor& editor, const Bank& bank, BoxForm form) {
    return {TextOf(Slot(bank, editor.RecordIndex), form), SpacedNumber(editor.RecordIndex)};
}

} // namespace

RecordText TextOf(const AccountRecord& record, BoxForm form) {
    if (form == BoxForm::Trimmed) {
        return {TrimmedText(record.Name), SpacedNumber(record.Savings)};
    }
    return {StoredText(record.Name), PlainNumber(record.Savings)};
}

std::string AccountSummary(const Bank& bank) {
    const AccountRecord& current = CurrentAccount(bank);
    return SpacedNumber(bank.GCNum) + "\\" + SpacedNumber(bank.AccountCount) + " > $" +
           SpacedNumber(current.Savings) + " >>" + TrimmedText(current.Name) + "<<";
}

EditorStart StartRecordEditor(RecordEditor& editor, const Bank& bank) {
    editor.RecordIndex = 1;
    return {ViewOf(editor, bank, BoxForm::Trimmed), AccountSummary(bank)};
}

RecordView ShowCurrentRecord(RecordEditor& editor, const Bank& bank) {
    editor.RecordIndex = bank.GCNum;
    return ViewOf(editor, bank, BoxForm::Trimmed);
}

std::optional<RecordView> ShowNextRecord(RecordEditor& editor, const Bank& bank) {
    if (editor.RecordIndex >= bank.AccountCount) {
        return std::nullopt;
    }
    ++editor.RecordIndex;
    return ViewOf(editor, bank, BoxForm::AsStored);
}

std::optional<RecordView> ShowPreviousRecord(RecordEditor& editor, const Bank& bank) {
    if (editor.RecordIndex - 1 <= 0) {
        return std::nullopt;
    }
    --editor.RecordIndex;
    return ViewOf(editor, bank, BoxForm::AsStored);
}

std::optional<RecordView> NewRecord(RecordEditor& editor, Bank& bank) {
    if (bank.AccountCount >= MaxAccounts) {
        return std::nullopt; // slots 1..100 are all accounts: there is no slot to add
    }
    ++bank.AccountCount;
    editor.RecordIndex = bank.AccountCount;
    return ViewOf(editor, bank, BoxForm::AsStored);
}

bool SaveRecordChanges(const RecordEditor& editor, Bank& bank, std::string_view name,
                       std::string_view savings) {
    const auto amount = ConvertInt32(savings, Rounding::Floor);
    if (!amount) {
        return false;
    }
    AccountRecord& record = Slot(bank, editor.RecordIndex);
    AssignText(record.Name, TrimSpaces(name));
    record.Savings = *amount;
    return true;
}

CurrentAccountChange SetAsGCNum(const RecordEditor& editor, Bank& bank) {
    bank.GCNum = editor.RecordIndex;
    const AccountRecord& current = CurrentAccount(bank);
    return {TrimmedText(current.Name), {current.Savings, MoneyForm::Plain}, AccountSummary(bank)};
}

std::optional<DeleteOutcome> DeleteRecord(const RecordEditor& editor, Bank& bank) {
    if (bank.AccountCount <= 0) {
        return std::nullopt; // nothing to delete; the count never goes below 0
    }
    DeleteOutcome outcome;
    if (editor.RecordIndex != bank.AccountCount) {
        // Close the gap: every record above the deleted one moves down a place. The slot of
        // the old last record keeps a copy of it, beyond the count and never saved.
        --bank.AccountCount;
        const int last = std::min<int>(bank.AccountCount, MaxAccounts - 1);
        for (int i = std::max<int>(editor.RecordIndex, 0); i <= last; ++i) {
            bank.AccountTable[i] = bank.AccountTable[i + 1];
            outcome.shown = TextOf(bank.AccountTable[i], BoxForm::Trimmed);
        }
    } else {
        AccountRecord& deleted = Slot(bank, editor.RecordIndex);
        AssignText(deleted.Name, "");
        deleted.Savings = 0;
        outcome.shown = TextOf(Slot(bank, editor.RecordIndex - 1), BoxForm::Trimmed);
        --bank.AccountCount;
    }
    outcome.summary = AccountSummary(bank);
    return outcome;
}

} // namespace corvanta
