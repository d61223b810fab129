#include "model/ini_document.h"

#include "model/text_codec.h"

namespace {
// 0x1A is the old end-of-file mark, which the profile reader treats as white space.
bool IsProfileSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsProfileSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsProfileSpace(s.back())) s.remove_suffix(1);
    return s;
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string FromUtf16(std::u16string_view text, const TextCodec& codec) { return codec.ToAnsi(text); }

std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian) {
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        auto lo = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 1 : 0)]);
        auto hi = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 0 : 1)]);
        out[i] = static_cast<char16_t>(lo | hi << 8);
    }
    return out;
}

// A section header is '[' after leading space and a later ']'; the name lies between them.
std::optional<std::string_view> SectionName(std::string_view line) {
    std::string_view s = Trim(line);
    if (s.empty() || s.front() != '[') return std::nullopt;
    size_t close = s.rfind(']');
    if (close == std::string_view::npos || close == 0) return std::nullopt;
    return Trim(s.substr(1, close - 1));
}
} // namespace

bool ProfileNamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (static_cast<unsigned char>(a[i]) >= 0x80) {
            if (a[i] != b[i] || i + 1 >= a.size() || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

IniDocument IniDocument::Parse(std::string_view bytes, const TextCodec& codec) {
    std::string converted;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        converted = FromUtf16(Utf8ToUtf16(bytes.substr(3)), codec);
        bytes = converted;
    } else if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        converted = FromUtf16(Utf16FromBytes(bytes.substr(2), bytes[0] == '\xFE'), codec);
        bytes = converted;
    }

    IniDocument doc;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            doc.lines_.push_back({std::string(bytes.substr(start)), ""});
            break;
        }
        size_t endLength = (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
        doc.lines_.push_back({std::string(bytes.substr(start, end - start)), std::string(bytes.substr(end, endLength))});
        start = end + endLength;
    }
    return doc;
}

std::optional<IniDocument::Found> IniDocument::FindKey(std::string_view section, std::string_view key) const {
    // Names are looked up without their surrounding spaces, as the profile functions do.
    section = Trim(section);
    key = Trim(key);
    bool inSection = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        std::string_view text = lines_[i].text;
        if (auto name = SectionName(text)) {
            inSection = ProfileNamesEqual(*name, section);
            continue;
        }
        if (!inSection) continue;
        size_t equals = text.find('=');
        std::string_view name = Trim(equals == std::string_view::npos ? text : text.substr(0, equals));
        if (name.empty() || !ProfileNamesEqual(name, key)) continue;
        Found found{i, equals == std::string_view::npos ? text.size() : equals + 1, equals != std::string_view::npos};
        return found;
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    auto found = FindKey(section, key);
    if (!found) return std::nullopt;
    if (!found->hasValue) return std::string();
    std::string_view value = Trim(std::string_view(lines_[found->line].text).substr(found->valueStart));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (auto found = FindKey(section, key)) {
        Line& line = lines_[found->line];
        std::string_view text = line.text;
        std::string name(Trim(found->hasValue ? text.substr(0, found->valueStart - 1) : text));
        line.text = name + "=" + std::string(value);
        if (line.end.empty()) line.end = "\r\n";
        return;
    }
    Line added{std::string(key) + "=" + std::string(value), "\r\n"};
    // Add after the last key line of the first section of that name.
    std::optional<size_t> insertAt;
    bool inSection = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (auto name = SectionName(lines_[i].text)) {
            if (inSection) break;
            inSection = ProfileNamesEqual(*name, section);
            if (inSection) insertAt = i + 1;
            continue;
        }
        if (inSection && !Trim(lines_[i].text).empty()) insertAt = i + 1;
    }
    if (insertAt) {
        Line& before = lines_[*insertAt - 1];
        if (before.end.empty()) before.end = "\r\n";
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*insertAt), std::move(added));
    } else {
        if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = "\r\n";
        lines_.push_back({"[" + std::string(section) + "]", "\r\n"});
        lines_.push_back(std::move(added));
    }
}

void IniDocument::Remove(std::string_view section, std::string_view key) {
    // Every copy goes: a later duplicate would otherwise become the one that is read.
    while (auto found = FindKey(section, key)) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(found->line));
}

std::string IniDocument::Serialize() const {
    size_t size = 0;
    for (const Line& line : lines_) size += line.text.size() + line.end.size();
    std::string out;
    out.reserve(size);
    for (const Line& line : lines_) {
        out += line.text;
        out += line.end;
    }
    return out;
}
