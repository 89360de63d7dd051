#pragma once
// The history behind undo and redo: whole states of the document, each
// taken before a change, and what the typing in one field has reached.
// Plain data and logic: the window reads and writes the states.
#include "app/PriceListDlg.h"

#include <array>
#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <string>

// Everything a document holds that the user can change, as the document
// stores it, and whether each row's goods and price can be edited.
struct DocumentValues {
    std::array<std::string, ids::kRows> goods;
    std::array<std::string, ids::kRows> prices;
    std::array<std::string, ids::kColumns> names;
    std::array<std::array<int, ids::kColumns>, ids::kRows> selection{};
    std::array<std::string, ids::kRows> linkFiles;
    std::array<int, ids::kRows> linkColumns{};
    std::array<RowInfo, ids::kRows> info;
    std::array<int, ids::kSeparators> lines{};
    std::array<bool, ids::kRows> editable{};
    bool operator==(const DocumentValues&) const = default;
};

class CommandHistory {
public:
    static constexpr size_t kDepth = 100;  // steps kept to go back

    // Another document: nothing to undo or redo, and this state is the one
    // in the file.
    void Restart();
    // A step: the state before a change. Drops what could be redone.
    void Take(DocumentValues before);
    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // The state to go back (or forward) to, given the state now; nothing
    // when there is none.
    std::optional<DocumentValues> Undo(DocumentValues now);
    std::optional<DocumentValues> Redo(DocumentValues now);
    // The state now is the one in the file; whether it still is.
    // Typing after a save is a step of its own: else undoing it and redoing
    // it would land on the saved state while the field holds more.
    void MarkSaved() {
        m_saved = m_current;
        m_typingId = 0;
    }
    bool AtSaved() const { return m_saved == m_current; }
    // A change that could not be taken as a step: no state reached from
    // here on is the one in the file.
    void LoseSaved() { m_saved = kNoState; }

    // Typing: the field being typed in, whose first change took a step.
    // A new session begins with the next change of any field.
    bool ContinuesTyping(int id) const { return m_typingId == id; }
    void BeginTyping(int id) { m_typingId = id; }
    void EndTyping() { m_typingId = 0; }
    // The text a field held before its latest change, and the new one.
    std::string SwapText(int id, const std::string& now);

    // A change of the document under way (see DocumentChange): whether this
    // one is the outermost.
    bool EnterChange() { return m_changes++ == 0; }
    void LeaveChange() { --m_changes; }
    // Whether two states differ in a value: a row linked the same way in
    // both shows what its link brings, which is no change of the user's.
    static bool SameValues(DocumentValues a, const DocumentValues& b);

    // While the program itself changes texts nothing is a user's step.
    bool Quiet() const { return m_quiet > 0; }

    class QuietScope {
    public:
        explicit QuietScope(CommandHistory& history) : m_history(&history) { ++m_history->m_quiet; }
        QuietScope(QuietScope&& other) noexcept : m_history(other.m_history) { other.m_history = nullptr; }
        QuietScope(const QuietScope&) = delete;
        QuietScope& operator=(const QuietScope&) = delete;
        QuietScope& operator=(QuietScope&&) = delete;
        ~QuietScope() {
            if (m_history) --m_history->m_quiet;
        }

    private:
        CommandHistory* m_history;
    };

private:
    struct Entry {
        DocumentValues values;
        unsigned serial = 0;
    };
    // The last state of one list goes back (or forward) to, now kept on the other.
    std::optional<DocumentValues> Move(std::deque<Entry>& from, std::deque<Entry>& to, DocumentValues now);
    static constexpr unsigned kNoState = 0;  // no step's number: the first is 1
    std::deque<Entry> m_undo;
    std::deque<Entry> m_redo;
    // Every state reached by a step has its own number: undoing back to the
    // saved one finds the number again.
    unsigned m_next = 0;
    unsigned m_current = 0;
    unsigned m_saved = 0;
    int m_typingId = 0;
    std::map<int, std::string> m_texts;
    int m_quiet = 0;
    int m_changes = 0;
};
