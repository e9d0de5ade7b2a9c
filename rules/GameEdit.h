// Edits of the node stream behind the annotation commands: deleting moves
// and variations, comments after and before a move, the diagram mark. Every
// edit keeps the stream's grammar and re-points the line's PlayedNode
// entries across the nodes it inserts or removes. An edit that would not
// fit the stream is refused and changes nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The weight of what a pending deletion removes: 1 a comment, 2 a variation.
extern int DeleteWeight;

// Inserts one node at `at` (the nodes from there move up); false when the
// stream is full. The links into the stream follow their nodes.
bool InsertNode(int at, std::uint8_t kind, std::uint8_t code, std::uint32_t textPos = 0);
// Removes count nodes from `at` (the nodes behind move down).
void RemoveNodes(int at, int count);

// What deleting the current move removes: nodes [From, From + Count). The
// current move and the rest of its line, or the whole variation it opens.
// Sets DeleteWeight; nothing when the stream is empty.
struct DeletionRange {
    int From;
    int Count;
};
std::optional<DeletionRange> PlanDeletion();

// The place of the comment after move node `move`: the first comment behind
// its evaluation symbols, or the place right behind them.
int CommentAfterPlace(int move);
// The text of the comment node at i; empty when node i is no comment.
std::string CommentAt(int i);
// Makes text the comment at place i: an empty text removes a comment there,
// otherwise the comment there is overwritten or a new one inserted.
bool SetCommentAt(int i, const std::string& text);
// The comment before move node `move` (the node just before it): its text,
// and setting it (the move's index shifts with the node inserted or removed).
std::string CommentBefore(int move);
bool SetCommentBefore(int move, const std::string& text);

// The next diagram mark of a comment: none, "#", "##", none again (the first
// "#" of the text counts as the mark).
std::string CycleDiagramMark(std::string text);
