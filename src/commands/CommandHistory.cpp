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

std::optional<DocumentValues> CommandHistory::Undo(DocumentValues now) {
    if (m_undo.empty()) return std::nullopt;
    Entry back = std::move(m_undo.back());
    m_undo.pop_back();
    m_redo.push_back(Entry{std::move(now), m_current});
    m_current = back.serial;
    m_typingId = 0;
    return std::move(back.values);
}

std::optional<DocumentValues> CommandHistory::Redo(DocumentValues now) {
    if (m_redo.empty()) return std::nullopt;
    Entry forward = std::move(m_redo.back());
    m_redo.pop_back();
    m_undo.push_back(Entry{std::move(now), m_current});
    m_current = forward.serial;
    m_typingId = 0;
    return std::move(forward.values);
}

std::string CommandHistory::SwapText(int id, const std::string& now) {
    std::string& known = m_texts[id];
    std::string before = std::move(known);
    known = now;
    return before;
}
