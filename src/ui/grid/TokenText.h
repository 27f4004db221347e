#pragma once

// The text a line editor shows and edits, with the printer's special codes kept as indivisible
// tokens. A line travels to and from the document in token form: every special code (a symbol or
// the sequence-number marker) as the eight characters "0xHHHH" in double quotes, a literal double
// quote doubled. On screen a marker shows as "{連番}" and any other special code as "{記号}". The
// map holds one entry per UTF-16 unit of the shown text: 0 for an ordinary character, the code at
// the first unit of a token and -1 at its further units, so that editing can tell where tokens
// begin and end and which sequence definition belongs to which marker.

#include "model/CharCode.h"
#include "model/ModelType.h"
#include "model/SequenceDefinition.h"

#include <QString>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx::ui {

/// A half-open range [from, to) of positions in the shown text.
struct TextRange {
    int from = 0;
    int to = 0;

    [[nodiscard]] bool empty() const { return from >= to; }
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

class TokenText final {
public:
    static constexpr int Ordinary = 0;
    static constexpr int Continuation = -1;

    /// Empty text, empty map, no sequence definitions.
    void clear();

    /// Loads a line in token form (UTF-8). Each special code becomes its token on screen; a code
    /// that has no character of its own (only a token can carry it) is shown as a symbol token too,
    /// so that reading back gives the same code. The sequence list is left as it is.
    void loadTokenForm(std::string_view utf8);

    /// Shows the text unchanged as ordinary characters (a cell that is no text line).
    void loadPlain(const QString& text);

    [[nodiscard]] const QString& text() const { return m_text; }
    [[nodiscard]] int length() const { return static_cast<int>(m_text.size()); }
    [[nodiscard]] std::span<const int> map() const { return m_map; }

    /// The shown text turned back into token form: ordinary characters copied (a double quote
    /// doubled), each token as "0xHHHH" in double quotes.
    [[nodiscard]] QString tokenForm() const;

    // --- sequence definitions, one per marker token in text order ----------------------------------
    [[nodiscard]] const std::vector<model::tagSEQ_V900>& sequences() const { return m_sequences; }
    void setSequences(std::vector<model::tagSEQ_V900> sequences) { m_sequences = std::move(sequences); }
    void clearSequences() { m_sequences.clear(); }
    /// Marker tokens in the shown text.
    [[nodiscard]] int markerCount() const;
    /// The character codes the range holds once converted: a token counts one, and so does every
    /// ordinary character (a surrogate pair too).
    [[nodiscard]] int codeCount(TextRange range) const;
    [[nodiscard]] int codeCount() const { return codeCount({0, length()}); }

    // --- positions -------------------------------------------------------------------------------
    /// Whether the boundary before position `pos` cuts a token (the unit at pos continues one).
    [[nodiscard]] bool insideToken(int pos) const;
    /// `pos` moved back to the start of the token it cuts (unchanged when it cuts none).
    [[nodiscard]] int snapBackward(int pos) const;
    /// `pos` moved forward past the token it cuts (unchanged when it cuts none).
    [[nodiscard]] int snapForward(int pos) const;
    /// The range widened to whole tokens and whole surrogate pairs.
    [[nodiscard]] TextRange widened(TextRange range) const;

    /// What Backspace removes with an empty selection: the character before the caret, the whole
    /// token when that character belongs to one. Empty at the start of the text.
    [[nodiscard]] TextRange backspaceRange(int caret) const;
    /// What Delete removes with an empty selection: the character after the caret or its token.
    [[nodiscard]] TextRange deleteRange(int caret) const;

    // --- editing ---------------------------------------------------------------------------------
    /// Removes the range widened to whole tokens, together with the definitions of the markers in
    /// it. Returns the range removed.
    TextRange remove(TextRange range);
    /// Inserts ordinary text at `pos` (moved out of a token first); every character stays literal,
    /// so typed or pasted token text is never read as a token. Returns the position after it.
    int insertPlain(int pos, const QString& text);
    /// Inserts one token at `pos`; a marker takes `definition` at its place in the sequence list.
    /// Returns the position after it. A code that is not special is inserted as its character.
    int insertToken(int pos, model::CharCode code, const model::tagSEQ_V900& definition = {});

    // --- the sequence under a selection ----------------------------------------------------------
    /// Marker tokens that begin inside the range, and the index in the sequence list of the first.
    [[nodiscard]] int markersIn(TextRange range) const;
    [[nodiscard]] int markersBefore(int pos) const;
    /// The definition the property view shows for a selection: below model 5 the line's first
    /// definition; from model 5 on the one whose marker lies in the selection when exactly one does.
    [[nodiscard]] const model::tagSEQ_V900* sequenceUnderSelection(TextRange range, model::ModelType model) const;

    /// Shown text of a special code's token ("{連番}" or "{記号}").
    [[nodiscard]] static QString tokenCaption(model::CharCode code);

private:
    [[nodiscard]] int clampPos(int pos) const;

    QString m_text;
    std::vector<int> m_map;
    std::vector<model::tagSEQ_V900> m_sequences;
};

} // namespace qx::ui
