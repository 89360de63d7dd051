#include "commands/CommandHistory.h"

#include <utility>

void CommandHistory::Restart() {
    m_undo.clear();
    m_redo.clear();
    m_current = ++m_next;
    m_saved = m_current;
    m_typingId = 0;
}

void CommandHistory::Take(DocumentValues before) {
    m_redo.clear();
    m_undo.push_back(Entry{std::move(before), m_current});
    if (m_undo.size() > kDepth) m_undo.pop_front();
    m_current = ++m_next;
}

std::optional<DocumentValues> CommandHistory::Undo(DocumentValues now) { return Move(m_undo, m_redo, std::move(now)); }

std::optional<DocumentValues> CommandHistory::Redo(DocumentValues now) { return Move(m_redo, m_undo, std::move(now)); }

std::optional<DocumentValues> CommandHistory::Move(std::deque<Entry>& from, std::deque<Entry>& to, DocumentValues now) {
    if (from.empty()) return std::nullopt;
    Entry entry = std::move(from.back());
    from.pop_back();
    to.push_back(Entry{std::move(now), m_current});
    m_current = entry.serial;
    m_typingId = 0;
    return std::move(entry.values);
}

std::string CommandHistory::SwapText(int id, const std::string& now) {
    std::string& known = m_texts[id];
    std::string before = std::move(known);
    known = now;
    return before;
}

bool CommandHistory::SameValues(DocumentValues a, const DocumentValues& b) {
    for (size_t row = 0; row < a.goods.size(); ++row) {
        if (!a.linkFiles[row].empty() && a.linkFiles[row] == b.linkFiles[row] && a.linkColumns[row] == b.linkColumns[row]) {
            a.goods[row] = b.goods[row];
            a.prices[row] = b.prices[row];
        }
    }
    return a == b;
}
