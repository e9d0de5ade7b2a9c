#include "database/RtfJoin.h"

namespace {

// Length of the body that starts at text, up to the brace that closes the
// document group (depth 1 at the start), and the depth still open when the
// text ends first.
struct BodyExtent {
    std::size_t Length;
    int OpenDepth;
};

BodyExtent MeasureBody(std::string_view text)
{
    int depth = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\0') return {i, depth};
        if (c == '\\') {
            ++i; // an escaped brace or backslash is text
            continue;
        }
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0) return {i, 0};
        }
    }
    return {text.size(), depth};
}

} // namespace

std::optional<RtfDocumentParts> SplitRtfDocument(std::string_view doc)
{
    const std::size_t nul = doc.find('\0');
    if (nul != std::string_view::npos) doc = doc.substr(0, nul);
    const std::size_t word = doc.find("viewkind");
    if (word == std::string_view::npos) return std::nullopt;
    const std::size_t blank = doc.find(' ', word);
    if (blank == std::string_view::npos) return std::nullopt;
    RtfDocumentParts parts;
    parts.Head.assign(doc.substr(0, blank + 1));
    const std::string_view rest = doc.substr(blank + 1);
    const BodyExtent extent = MeasureBody(rest);
    parts.Body.assign(rest.substr(0, extent.Length));
    // Close groups the body left open, all but the document group itself.
    if (extent.OpenDepth > 1)
        parts.Body.append(static_cast<std::size_t>(extent.OpenDepth - 1), '}');
    return parts;
}

std::string RtfJoinFirst(const RtfDocumentParts& first)
{
    std::string out;
    out.reserve(first.Head.size() + first.Body.size() + 1);
    out.append(first.Head).append(first.Body).push_back('}');
    return out;
}

std::string RtfJoinNext(const RtfDocumentParts& next)
{
    std::string out;
    out.reserve(RtfJoinSeparator.size() + next.Body.size() + 1);
    out.append(RtfJoinSeparator).append(next.Body).push_back('}');
    return out;
}

std::string JoinRtfDocuments(const std::vector<std::string_view>& docs)
{
    std::string out;
    for (const std::string_view doc : docs) {
        const std::optional<RtfDocumentParts> parts = SplitRtfDocument(doc);
        if (!parts) continue;
        if (out.empty()) {
            out = RtfJoinFirst(*parts);
        } else {
            out.pop_back(); // the closing brace
            out += RtfJoinNext(*parts);
        }
    }
    return out;
}
