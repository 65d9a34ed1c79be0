#include "platform/Registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/AtomicFile.h"
#include "platform/TextCodec.h"

namespace platform {

namespace {

constexpr const char* kRootSection = "HKEY_CURRENT_USER\\Software\\Zovide";

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

// "Main\\Window", "\\Main\\Window\\" and "\\Software\\Zovide\\Main\\Window" all name the same key.
std::string NormalizeKey(std::string_view key)
{
    while (!key.empty() && key.front() == '\\')
        key.remove_prefix(1);
    while (!key.empty() && key.back() == '\\')
        key.remove_suffix(1);
    constexpr std::string_view prefix = "Software\\Zovide";
    if (key.size() >= prefix.size() && EqualsIgnoringCase(key.substr(0, prefix.size()), prefix)
        && (key.size() == prefix.size() || key[prefix.size()] == '\\')) {
        key.remove_prefix(prefix.size());
        while (!key.empty() && key.front() == '\\')
            key.remove_prefix(1);
    }
    return std::string(key);
}

bool HasControlBytes(std::string_view s)
{
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7F)
            return true;
    return false;
}

// Backslash and quote are escaped as in REGEDIT4. Control bytes, and every
// byte of a string that is not valid UTF-8 (a folder name with stray bytes),
// are written as \xHH so the file stays valid UTF-8 text and nothing is lost.
std::string EscapeString(const std::string& s)
{
    const bool rawBytesOk = IsValidUtf8(s);
    std::string out;
    out.reserve(s.size() + 2);
    for (char c : s) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '"') {
            out += "\\\"";
        } else if (u < 0x20 || u == 0x7F || (u >= 0x80 && !rawBytesOk)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted string starting at text[pos] == '"'; pos ends behind the closing quote.
bool ParseQuoted(std::string_view text, size_t& pos, std::string& out)
{
    if (pos >= text.size() || text[pos] != '"')
        return false;
    out.clear();
    for (++pos; pos < text.size(); ++pos) {
        char c = text[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\') {
            if (++pos >= text.size())
                return false;
            if (text[pos] == '\\' || text[pos] == '"') {
                out += text[pos];
            } else if (text[pos] == 'x' && pos + 2 < text.size() && HexDigit(text[pos + 1]) >= 0
                && HexDigit(text[pos + 2]) >= 0) {
                out += static_cast<char>(HexDigit(text[pos + 1]) * 16 + HexDigit(text[pos + 2]));
                pos += 2;
            } else {
                return false;
            }
        } else {
            out += c;
        }
    }
    return false;
}

bool ParseDword(std::string_view text, uint32_t& value)
{
    if (text.size() != 8)
        return false;
    value = 0;
    for (char c : text) {
        int digit = HexDigit(c);
        if (digit < 0)
            return false;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return true;
}

// One `"Name"=...` line; false when it is not a well-formed DWORD or string value.
bool ParseValueLine(std::string_view line, std::string& name, RegistryValue& value)
{
    if (!IsValidUtf8(line) || HasControlBytes(line))
        return false;
    size_t pos = 0;
    if (line.substr(0, 2) == "@=") {
        name.clear(); // the key's default value
        pos = 1;
    } else if (!ParseQuoted(line, pos, name) || name.empty() || !IsValidUtf8(name) || HasControlBytes(name)) {
        return false;
    }
    if (pos >= line.size() || line[pos] != '=')
        return false;
    std::string_view rest = line.substr(pos + 1);
    constexpr std::string_view dword = "dword:";
    if (rest.size() > dword.size() && EqualsIgnoringCase(rest.substr(0, dword.size()), dword)) {
        uint32_t v = 0;
        if (!ParseDword(rest.substr(dword.size()), v))
            return false;
        value = v;
        return true;
    }
    std::string s;
    size_t spos = 0;
    if (!ParseQuoted(rest, spos, s) || spos != rest.size())
        return false;
    value = std::move(s);
    return true;
}

std::string FormatValueLine(const std::string& name, const RegistryValue& value)
{
    std::string out = name.empty() ? std::string("@") : "\"" + EscapeString(name) + "\"";
    out += "=";
    if (const uint32_t* v = std::get_if<uint32_t>(&value)) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "dword:%08x", *v);
        out += hex;
    } else {
        out += "\"" + EscapeString(std::get<std::string>(value)) + "\"";
    }
    return out;
}

std::string_view WithoutCarriageReturn(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// The store's key named by a section line, or nothing for another hive's key
// or a damaged line.
std::optional<std::string> SectionKey(std::string_view line)
{
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return std::nullopt;
    std::string_view section = line.substr(1, line.size() - 2);
    std::string_view root = kRootSection;
    if (section.size() < root.size() || !EqualsIgnoringCase(section.substr(0, root.size()), root))
        return std::nullopt;
    std::string_view rest = section.substr(root.size());
    if (!rest.empty() && rest.front() != '\\')
        return std::nullopt;
    std::string key = NormalizeKey(rest);
    if (!IsValidUtf8(key) || HasControlBytes(key))
        return std::nullopt;
    return key;
}

} // namespace

bool RegistryStore::CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(FoldAscii(a[i]));
        unsigned char cb = static_cast<unsigned char>(FoldAscii(b[i]));
        if (ca != cb)
            return ca < cb;
    }
    return a.size() < b.size();
}

std::string RegistryStore::DefaultPath()
{
    if (const char* dir = std::getenv("VOVIRO_SETTINGS_DIR"); dir && *dir)
        return std::string(dir) + "/registry.reg";
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::string(xdg) + "/Zovide/registry.reg";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/Zovide/registry.reg";
}

RegistryStore::RegistryStore(std::string path)
    : path_(std::move(path))
{
    Reload();
}

void RegistryStore::Reload()
{
    keys_.clear();
    std::ifstream in(path_, std::ios::binary);
    if (!in)
        return;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    FromText(buffer.str());
}

std::string RegistryStore::ToText() const
{
    std::string out;
    if (preamble_.empty() || WithoutCarriageReturn(preamble_.front()) != "REGEDIT4")
        out += "REGEDIT4\n";
    for (const std::string& line : preamble_)
        out += line + "\n";
    std::map<std::string, size_t, CaseInsensitiveLess> lastSection;
    for (size_t i = 0; i < sections_.size(); ++i)
        if (sections_[i].key)
            lastSection[*sections_[i].key] = i;
    for (size_t i = 0; i < sections_.size(); ++i)
        AppendSection(out, i, sections_[i].key && lastSection[*sections_[i].key] == i);
    // Keys created since loading.
    for (const auto& [key, values] : keys_) {
        if (lastSection.count(key))
            continue;
        if (out.size() < 2 || out.compare(out.size() - 2, 2, "\n\n") != 0)
            out += "\n";
        out += "[";
        out += kRootSection;
        if (!key.empty())
            out += "\\" + key;
        out += "]\n";
        for (const auto& [name, value] : values)
            out += FormatValueLine(name, value) + "\n";
    }
    return out;
}

void RegistryStore::AppendSection(std::string& out, size_t index, bool last) const
{
    const Section& section = sections_[index];
    out += section.header + "\n";
    const Values* values = nullptr;
    const Origins* origins = nullptr;
    if (section.key) {
        if (auto k = keys_.find(*section.key); k != keys_.end())
            values = &k->second;
        if (auto o = origins_.find(*section.key); o != origins_.end())
            origins = &o->second;
    }
    // The lines of this section that hold a loaded value, by line number.
    std::map<size_t, std::pair<const std::string*, const Origin*>> valueLines;
    if (origins)
        for (const auto& [name, origin] : *origins)
            if (origin.section == index)
                valueLines[origin.line] = { &name, &origin };
    // New values go behind the section's last non-blank line.
    size_t insertAt = section.lines.size();
    while (insertAt > 0 && WithoutCarriageReturn(section.lines[insertAt - 1]).empty())
        --insertAt;
    for (size_t i = 0; i <= section.lines.size(); ++i) {
        if (i == insertAt && last && values)
            for (const auto& [name, value] : *values)
                if (!origins || !origins->count(name))
                    out += FormatValueLine(name, value) + "\n";
        if (i == section.lines.size())
            break;
        const std::string& line = section.lines[i];
        auto v = valueLines.find(i);
        if (v != valueLines.end() && values) {
            auto current = values->find(*v->second.first);
            if (current != values->end() && current->second != v->second.second->loaded) {
                out += FormatValueLine(current->first, current->second);
                if (line.back() == '\r')
                    out += "\r";
                out += "\n";
                continue;
            }
        }
        out += line + "\n";
    }
}

void RegistryStore::FromText(const std::string& text)
{
    keys_.clear();
    preamble_.clear();
    sections_.clear();
    origins_.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string raw = text.substr(start, end - start);
        start = end + 1;
        const std::string_view line = WithoutCarriageReturn(raw);
        if (!line.empty() && line.front() == '[') {
            Section section { raw, SectionKey(line), {} };
            if (section.key)
                keys_[*section.key];
            sections_.push_back(std::move(section));
            continue;
        }
        if (sections_.empty()) {
            preamble_.push_back(std::move(raw));
            continue;
        }
        Section& section = sections_.back();
        section.lines.push_back(raw);
        std::string name;
        RegistryValue value;
        if (section.key && ParseValueLine(line, name, value)) {
            // A later line for the same name wins, spelling included.
            Values& values = keys_[*section.key];
            values.erase(name);
            origins_[*section.key].insert_or_assign(
                name, Origin { sections_.size() - 1, section.lines.size() - 1, value });
            values.emplace(std::move(name), std::move(value));
        }
    }
}

void RegistryStore::Save() const
{
    namespace fs = std::filesystem;
    const fs::path target(path_);
    std::error_code ec;
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), ec);
        if (ec)
            throw RegistryError(
                "cannot create the settings folder " + target.parent_path().string() + ": " + ec.message());
    }
    // A new file beside the old one (or beside a symbolic link's target), renamed into place.
    std::string error;
    if (!WriteFileAtomically(path_, ToText(), error))
        throw RegistryError("cannot write the settings file: " + error);
}

bool RegistryStore::HasKey(const std::string& key) const
{
    return keys_.count(NormalizeKey(key)) != 0;
}

void RegistryStore::CreateKey(const std::string& key)
{
    keys_[NormalizeKey(key)];
}

const RegistryValue* RegistryStore::Find(const std::string& key, const std::string& name) const
{
    auto k = keys_.find(NormalizeKey(key));
    if (k == keys_.end())
        return nullptr;
    auto v = k->second.find(name);
    return v == k->second.end() ? nullptr : &v->second;
}

void RegistryStore::Set(const std::string& key, const std::string& name, RegistryValue value)
{
    // An existing value keeps its spelling.
    keys_[NormalizeKey(key)].insert_or_assign(name, std::move(value));
}

RegistryKey::RegistryKey(RegistryStore& store, std::string key, bool create)
    : store_(store)
    , key_(std::move(key))
{
    if (store_.HasKey(key_))
        return;
    if (!create)
        throw RegistryError("settings key " + key_ + " does not exist");
    store_.CreateKey(key_);
}

int32_t RegistryKey::ReadInteger(const std::string& name) const
{
    const RegistryValue* v = store_.Find(key_, name);
    if (!v)
        throw RegistryError("settings value " + key_ + "\\" + name + " is missing");
    const uint32_t* dword = std::get_if<uint32_t>(v);
    if (!dword)
        throw RegistryError("settings value " + key_ + "\\" + name + " is not an integer");
    return static_cast<int32_t>(*dword);
}

bool RegistryKey::ReadBool(const std::string& name) const
{
    return ReadInteger(name) != 0;
}

std::string RegistryKey::ReadString(const std::string& name) const
{
    const RegistryValue* v = store_.Find(key_, name);
    if (!v)
        return std::string();
    const std::string* s = std::get_if<std::string>(v);
    if (!s)
        throw RegistryError("settings value " + key_ + "\\" + name + " is not a string");
    return *s;
}

bool RegistryKey::ValueExists(const std::string& name) const
{
    return store_.Find(key_, name) != nullptr;
}

void RegistryKey::WriteInteger(const std::string& name, int32_t value)
{
    store_.Set(key_, name, static_cast<uint32_t>(value));
}

void RegistryKey::WriteBool(const std::string& name, bool value)
{
    store_.Set(key_, name, static_cast<uint32_t>(value ? 1 : 0));
}

void RegistryKey::WriteString(const std::string& name, const std::string& value)
{
    store_.Set(key_, name, value);
}

} // namespace platform
