// Evaluation symbols (NAGs) of the move played into the position shown, as
// the evaluation dialog edits them, and the quick move assessment.
//
// The symbols of move m are the run of nkNag nodes from m + 1. While they
// are edited they live in slots: slot 0 the move assessment (NAG 1..9, or
// 22/23 zugzwang), slots 1..7 the other symbols in stream order, 0 marking
// an empty slot. Others beyond the seventh wait in EvalSurplus and are
// written behind the slots, so that no symbol of a move is lost by opening
// the dialog. Position-class symbols (10..21, 44, 45) are set only through
// the class buttons, which keep a fixed combination of them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

constexpr int EvalSlotCount = 8;
using EvalSlots = std::array<std::uint8_t, EvalSlotCount>;

extern EvalSlots EvalSymbols;                       // the set being edited
extern EvalSlots EvalBackup;                        // the set as the dialog was opened with (Undo)
extern std::vector<std::uint8_t> EvalSurplus;       // others beyond slot 7
extern std::vector<std::uint8_t> EvalSurplusBackup; // EvalSurplus at opening
extern std::uint32_t EvalFirst; // node after the move; 0 while no move is loaded
extern std::uint32_t EvalCount; // nkNag nodes in the run at EvalFirst

// Codes that go to slot 0: below 10, 22 and 23.
bool IsAssessmentNag(int code);
// The position class: 10..21, 44 and 45.
bool IsPositionClassNag(int code);

// 1 when the move played into the position shown was White's, else 0. Taken
// from the side to move of the record it was played from, so that a game set
// up with Black to move names the right side.
int EvalWhiteMoved();

// Reads the run of nkNag nodes from first into the slots and EvalCount;
// first 0 loads an empty set.
void LoadEvalSymbols(std::uint32_t first);

// Loads the symbols of the move played into the position shown and keeps
// them for Undo. At ply 0 there is no move: the set is emptied and unbound
// (EvalFirst 0), and false is returned.
bool ShowEvalSymbols();

// Writes the slots back: the run at EvalFirst becomes slot 0 (when set),
// slots 1..7 in order and the surplus; then loads the run again. Refused
// with the stream unchanged (false) when the stream would overflow: the
// slots are reloaded from it. When no move is bound, or the run is no longer
// that of the move shown, the set is emptied and unbound as well.
bool WriteEvalSymbols();

// The button families of the evaluation dialog. A button gives its family
// and its Tag; side-dependent symbols subtract EvalWhiteMoved() from it.
enum class EvalFamily : std::uint8_t {
    Assessment,  // slot 0 := Tag
    Zugzwang,    // slot 0 := Tag - p (Tag 23)
    Other,       // replaces the first other symbol, or takes a free slot
    OtherBySide, // as Other, with Tag - p
    Prefix,      // "better is" / "with the idea": replaces the other prefix
    Class,       // position class: Tag is the class code (45: 45 - p)
    Undo,        // back to the set at opening
    ClearAll,    // every symbol dropped
};

// Applies one button to EvalSymbols (and the surplus); the caller then
// writes the set back.
void PressEvalButton(EvalFamily family, int tag);

// The quick assessment of the move played into the position shown (NAG
// 1..6): replaces a quality NAG directly behind the move, or inserts one
// there. False when nothing was done (ply 0, a code outside 1..6, a full
// stream).
bool SetMoveAssessment(int nag);
