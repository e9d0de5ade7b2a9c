#include "platform/IniFile.h"

#include "platform/SaveFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

std::string Trim(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string SingleLine(std::string s)
{
    std::replace(s.begin(), s.end(), '\n', ' ');
    std::replace(s.begin(), s.end(), '\r', ' ');
    return s;
}

} // namespace

TMemIniFile::TMemIniFile(QString fileName) : FileName_(std::move(fileName))
{
    if (FileName_.isEmpty()) return;
    QFile file(FileName_);
    if (!file.open(QIODevice::ReadOnly)) {
        // A file that is not there reads as empty; anything in its place
        // that cannot be read (a directory too) must not be replaced by what
        // little is written.
        readFailed_ = QFileInfo::exists(FileName_);
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        readFailed_ = true;
        return;
    }
    SetText(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void TMemIniFile::SetText(const std::string& text)
{
    Lines_.clear();
    DefaultEnd_.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        // A line ends at CRLF, LF or a lone CR; the last one may have no end.
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::size_t next = end;
        if (next < text.size()) next += text.compare(end, 2, "\r\n") == 0 ? 2 : 1;

        Line line;
        line.Raw = text.substr(start, end - start);
        line.End = text.substr(end, next - end);
        if (DefaultEnd_.empty()) DefaultEnd_ = line.End;
        start = next;

        const std::string t = Trim(line.Raw);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            line.Kind = Line::Type::Section;
            line.Section = Trim(t.substr(1, t.size() - 2));
        } else if (!t.empty() && t.front() != ';' && t.find('=') != std::string::npos) {
            const std::size_t eq = t.find('=');
            line.Kind = Line::Type::Key;
            line.Key = Trim(t.substr(0, eq));
            line.Value = t.substr(eq + 1);
        }
        Lines_.push_back(std::move(line));
    }
    if (DefaultEnd_.empty()) DefaultEnd_.assign(1, '\n');
}

std::string TMemIniFile::Text() const
{
    std::string out;
    for (const Line& line : Lines_) {
        out += line.Raw;
        out += line.End;
    }
    return out;
}

// A new line ends as the line after it, or at the end of the file as the one
// before it: so a lone CR is never followed by an LF that would join them.
void TMemIniFile::InsertLine(std::size_t at, Line line)
{
    if (at >= Lines_.size()) {
        at = Lines_.size();
        if (at > 0 && Lines_.back().End.empty())
            Lines_.back().End = at > 1 ? Lines_[at - 2].End : DefaultEnd_;
        line.End = at > 0 ? Lines_.back().End : DefaultEnd_;
    } else {
        line.End = !Lines_[at].End.empty() ? Lines_[at].End
                   : at > 0                ? Lines_[at - 1].End
                                           : DefaultEnd_;
    }
    Lines_.insert(Lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

int TMemIniFile::FindSection(const std::string& section) const
{
    for (std::size_t i = 0; i < Lines_.size(); ++i)
        if (Lines_[i].Kind == Line::Type::Section && SameName(Lines_[i].Section, section))
            return static_cast<int>(i);
    return -1;
}

int TMemIniFile::FindKey(const std::string& section, const std::string& key) const
{
    const int s = FindSection(section);
    if (s < 0) return -1;
    for (std::size_t i = static_cast<std::size_t>(s) + 1; i < Lines_.size(); ++i) {
        if (Lines_[i].Kind == Line::Type::Section) break;
        if (Lines_[i].Kind == Line::Type::Key && SameName(Lines_[i].Key, key))
            return static_cast<int>(i);
    }
    return -1;
}

bool TMemIniFile::SectionExists(const std::string& section) const
{
    return FindSection(section) >= 0;
}

bool TMemIniFile::ValueExists(const std::string& section, const std::string& key) const
{
    return FindKey(section, key) >= 0;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& def) const
{
    const int i = FindKey(section, key);
    return i < 0 ? def : Lines_[static_cast<std::size_t>(i)].Value;
}

std::optional<int> TMemIniFile::ParseInteger(const std::string& text)
{
    std::string t = Trim(text);
    if (t.empty()) return std::nullopt;
    const char* first = t.data();
    const char* last = t.data() + t.size();
    if (*first == '+') ++first;
    if (first == last) return std::nullopt;
    int value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    return value;
}

int TMemIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const
{
    const int i = FindKey(section, key);
    if (i < 0) return def;
    return ParseInteger(Lines_[static_cast<std::size_t>(i)].Value).value_or(def);
}

bool TMemIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& key,
                              const std::string& value)
{
    // Names and values are single lines: a line break would split the entry.
    const std::string s = SingleLine(section);
    const std::string k = SingleLine(key);
    const std::string v = SingleLine(value);

    const int found = FindKey(s, k);
    if (found >= 0) {
        Line& line = Lines_[static_cast<std::size_t>(found)];
        line.Value = v;
        line.Raw = line.Key + "=" + v;
        return;
    }
    Line entry;
    entry.Kind = Line::Type::Key;
    entry.Key = k;
    entry.Value = v;
    entry.Raw = k + "=" + v;

    const int head = FindSection(s);
    if (head < 0) {
        if (!Lines_.empty() && !Trim(Lines_.back().Raw).empty()) InsertLine(Lines_.size(), Line{});
        Line title;
        title.Kind = Line::Type::Section;
        title.Section = s;
        title.Raw = "[" + s + "]";
        InsertLine(Lines_.size(), std::move(title));
        InsertLine(Lines_.size(), std::move(entry));
        return;
    }
    // After the section's last key line, so blank lines and comments that
    // close the section stay where they are.
    std::size_t at = static_cast<std::size_t>(head) + 1;
    for (std::size_t i = at; i < Lines_.size() && Lines_[i].Kind != Line::Type::Section; ++i)
        if (Lines_[i].Kind == Line::Type::Key) at = i + 1;
    InsertLine(at, std::move(entry));
}

void TMemIniFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void TMemIniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

bool TMemIniFile::UpdateFile() const
{
    if (readFailed_) return false;
    const std::string text = Text();
    return SaveWholeFile(FileName_,
                         QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}
