// TMemIniFile: an in-memory settings file of sections and keys.
//
// The whole file is read at construction and written back by UpdateFile.
// Every line is kept as it stood (comments, unknown sections and keys, their
// order); only the values of keys written through this object change, and
// new keys go to the end of their section, new sections to the end of the
// file. A line ends at CRLF, LF or a lone CR, and every line keeps its end
// (a last line without one keeps none), so what is written reads back the
// same; a new line ends as its neighbour. Section and key names are looked
// up without regard to case. Values are bytes. A number that does not read
// as a decimal integer yields the default. UpdateFile replaces the file
// atomically: a failed write leaves the old file whole. A file (or folder)
// that is there but could not be read is never written.
#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class TMemIniFile {
public:
    explicit TMemIniFile(QString fileName);

    const QString& FileName() const { return FileName_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;

    // Writes the whole text to the file; false when it could not be written
    // or could not be read at construction.
    bool UpdateFile() const;
    // Something is in the file's place but could not be read: it was read
    // as empty.
    bool ReadFailed() const { return readFailed_; }

    // The text as it would be written (for tests).
    std::string Text() const;
    void SetText(const std::string& text);

    // Strict decimal integer: optional blanks, optional sign, digits, in int range.
    static std::optional<int> ParseInteger(const std::string& text);

private:
    struct Line {
        std::string Raw;     // the line as read (without its end)
        std::string End;     // "\r\n", "\n", "\r", or empty for a last line without one
        std::string Section; // for a section line: its name
        std::string Key;     // for a key line: its name
        std::string Value;   // for a key line: its value
        enum class Type { Other, Section, Key } Kind = Type::Other;
    };

    void InsertLine(std::size_t at, Line line);
    int FindSection(const std::string& section) const;
    int FindKey(const std::string& section, const std::string& key) const;

    QString FileName_;
    std::vector<Line> Lines_;
    std::string DefaultEnd_ = "\n"; // the file's first line end; LF for a new file
    bool readFailed_ = false;
};
