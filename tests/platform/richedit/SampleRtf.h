// Documents in the notation writer's format, written out by hand.
#pragma once

#include <string>

namespace sample {

const std::string Prolog =
    "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1038{\\fonttbl{\\f0\\fswiss\\fcharset0 VelmoraChess "
    "Swiss;}"
    "{\\f1\\froman\\fcharset0 VelmoraChess Times;}{\\f2\\fswiss\\fcharset0 FigurineCB AriesSP;}"
    "{\\f3\\froman\\fcharset0 FigurineCB TimeSP;}{\\f4\\froman\\fcharset0 FigurineCB LetterSP;}"
    "{\\f5\\fswiss\\fprq2\\fcharset2 Velmora Diagram;}}\r\n"
    "{\\colortbl;\\red181\\green172\\blue13;\\red77\\green112\\blue253;\\red0\\green157\\blue0;"
    "\\red175\\green0\\blue251;\\red225\\green0\\blue0;\\red80\\green40\\blue2;}\r\n"
    "\\viewkind4\\uc1\\qj\\b\\f0\\fs28 ";

// A header with every cell set; it counts 81.
const std::string Header =
    "{\\fs30 Aaaaaaaa {\\b0 2500} \x96 Bbbbbbbb {\\b0 2400} {\\b0 [B12]}\\par"
    "\\fs28\\b0 Evnt Site (1) 2024.01.02 \\i [Annot1]\\par"
    "\\f0\\fs18\\i0\\cf1  \\f1\\cf2  \\f2\\cf3  \\f3\\cf4  \\f4\\cf5  \\cf6  \\f0\\cf0  "
    "\\par}\\sb60\\sa80 ";
constexpr int HeaderCount = 81;

// 1.e4 e5 (1...c5 2.Nf3) 2.Nf3! {Good} 1-0: moves at 0, 5, 10, 18, 26
// after the header; the counted text ends at 41.
const std::string MoveList =
    "1.e4 e5 \\par \\pard\\sa22\\sb18\\li130\\b0\\fs24 {\\b 1... c5} 2.Nf3 \\par "
    "\\pard\\sa22\\sb18\\li0\\sa80\\sb50\\b\\fs28 2.Nf3! {\\par\\pard\\qj\\li130\\cf6\\fs24\\b0 "
    "Good\\par"
    "\\li0\\sa80\\sb50}1-0\\li10\\sb30\\sa200 \\par\\par}";

// The start position as a diagram with a leading break; it counts 138.
const std::string StartDiagram =
    "{\\par \\pard\\b0\\nowidctlpar\\keep\\li0\\sa0\\sb0\\keepn\\qc\\f5\\fs48 XIIIIIIIIY\\par "
    "9rsnlwqkvlntr0\\par 9zppzppzppzpp0\\par 9-+-+-+-+0\\par 9+-+-+-+-0\\par "
    "9-+-+-+-+0\\par 9+-+-+-+-0\\par 9PzPPzPPzPPzP0\\par 9tRNvLQmKLsNR0\\par "
    "xiiiiiiiiy\\par}\\sa0\\sb0 ";
constexpr int StartDiagramCount = 138;

inline std::string Game()
{
    return Prolog + Header + MoveList;
}

} // namespace sample
