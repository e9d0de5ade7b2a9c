// Joins the notation documents of several games into one RTF document, for
// the export of all listed games into one file.
//
// Every document this program writes is "{\rtf1 ... \viewkind4\uc1\qj\b\fN\fsNN "
// (the head: font table, colour table, base format) followed by the body
// (header and move list) and the "}" that closes the document group. The
// joined document is the first document's head, then the bodies in order,
// each later one after "\sb0\sa0 ", then one closing brace: one prolog, one
// document group, no NUL bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Written between two bodies.
constexpr std::string_view RtfJoinSeparator = "\\sb0\\sa0 ";

struct RtfDocumentParts {
    std::string Head; // up to and including the blank after "viewkind..."
    std::string Body; // the rest of the document group, braces balanced
};

// Splits a document into head and body. The body ends where the document
// group closes (a NUL or anything after it is dropped); a body whose groups
// are left open is closed with the braces it lacks. Nothing when the text has
// no "viewkind" word followed by a blank.
std::optional<RtfDocumentParts> SplitRtfDocument(std::string_view doc);

// The first document of a joined file, complete: head, body and "}".
std::string RtfJoinFirst(const RtfDocumentParts& first);
// What a later document adds: written over the closing brace of the file
// so far, it continues the document and closes it again.
std::string RtfJoinNext(const RtfDocumentParts& next);

// The whole joined document; documents that cannot be split are left out.
// Empty when none can.
std::string JoinRtfDocuments(const std::vector<std::string_view>& docs);
