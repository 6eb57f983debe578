#include "storage/edit_history.h"

#include <algorithm>

namespace quillora {

void EditHistory::Record(const BirthdayTable& before, const BirthdayTable& after) {
    const std::vector<BirthdayEntry>& from = before.Rows();
    const std::vector<BirthdayEntry>& to = after.Rows();
    // Only the rows between the longest common start and the longest common
    // end are kept: one row for an addition, an edit or a deletion.
    const auto [head, tail] = SharedEndsOf(before, after);
    if (head == from.size() && head == to.size()) return;

    Step step;
    step.first = static_cast<int>(head);
    step.before.assign(from.begin() + static_cast<std::ptrdiff_t>(head),
                       from.end() - static_cast<std::ptrdiff_t>(tail));
    step.after.assign(to.begin() + static_cast<std::ptrdiff_t>(head),
                      to.end() - static_cast<std::ptrdiff_t>(tail));
    undo_.push_back(std::move(step));
    if (undo_.size() > Depth) undo_.pop_front();
    redo_.clear();
}

std::optional<ChangedRows> EditHistory::Apply(BirthdayTable& table, const Step& step, bool forward) {
    const std::vector<BirthdayEntry>& from = forward ? step.before : step.after;
    const std::vector<BirthdayEntry>& to = forward ? step.after : step.before;
    const std::vector<BirthdayEntry>& rows = table.Rows();
    const auto first = static_cast<std::size_t>(step.first);
    const bool holdsFrom =
        first + from.size() <= rows.size() &&
        std::equal(from.begin(), from.end(), rows.begin() + static_cast<std::ptrdiff_t>(first));
    if (!holdsFrom || !table.ReplaceRows(step.first, static_cast<int>(from.size()), to)) {
        undo_.clear();
        redo_.clear();
        return std::nullopt;
    }
    return ChangedRows{step.first, static_cast<int>(to.size())};
}

std::optional<ChangedRows> EditHistory::Undo(BirthdayTable& table) {
    if (undo_.empty()) return std::nullopt;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    const std::optional<ChangedRows> changed = Apply(table, step, false);
    if (changed) redo_.push_back(std::move(step));
    return changed;
}

std::optional<ChangedRows> EditHistory::Redo(BirthdayTable& table) {
    if (redo_.empty()) return std::nullopt;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    const std::optional<ChangedRows> changed = Apply(table, step, true);
    if (changed) undo_.push_back(std::move(step));
    return changed;
}

}  // namespace quillora
