#pragma once
// The per-user settings store: keys below \Software\Zovide holding DWORD and
// string values, value names matched without regard to letter case. It is
// kept as a REGEDIT4 text file, by default $XDG_CONFIG_HOME/Zovide/registry.reg
// (~/.config when unset); VOVIRO_SETTINGS_DIR names another folder holding
// registry.reg. Writes go to a temporary file that is renamed over the old
// one, so a crash never leaves a half-written file behind. Saving keeps every
// line the store does not understand (other value types, other hives' keys,
// comments) byte for byte where it was, and every unchanged value line as it
// was written. The empty value name "" is the key's default value (`@=`).

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace platform {

// Raised by the typed reads when a value is missing or has the wrong type,
// and by writes when the file cannot be saved.
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using RegistryValue = std::variant<uint32_t, std::string>;

// The whole store as held in memory: key path (e.g. "Main\\Window", relative
// to \Software\Zovide) → values. Loaded once; a damaged file reads as empty
// or partial, never as an error.
class RegistryStore {
public:
    // The file the store reads and writes (see the header comment).
    static std::string DefaultPath();
    explicit RegistryStore(std::string path = DefaultPath());

    const std::string& Path() const { return path_; }
    void Reload();
    // Writes the whole store atomically; throws RegistryError on failure.
    void Save() const;

    bool HasKey(const std::string& key) const;
    void CreateKey(const std::string& key);
    const RegistryValue* Find(const std::string& key, const std::string& name) const;
    void Set(const std::string& key, const std::string& name, RegistryValue value);

    // REGEDIT4 text of the store, and parsing of such text (for tests and Save/Reload).
    std::string ToText() const;
    void FromText(const std::string& text);

private:
    struct CaseInsensitiveLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    // A value keeps the spelling of its name as first written.
    using Values = std::map<std::string, RegistryValue, CaseInsensitiveLess>;
    // The loaded file as lines (without their '\n'), kept so that saving
    // writes back what it does not parse. `key` is set for a section of this
    // store's own keys.
    struct Section {
        std::string header;
        std::optional<std::string> key;
        std::vector<std::string> lines;
    };
    // Where a loaded value's line is and what it held then.
    struct Origin {
        size_t section = 0;
        size_t line = 0;
        RegistryValue loaded;
    };
    using Origins = std::map<std::string, Origin, CaseInsensitiveLess>;

    // Writes section `index`; `last` is true for the last section of its key,
    // which also receives the values that were not in the file.
    void AppendSection(std::string& out, size_t index, bool last) const;

    std::string path_;
    std::map<std::string, Values, CaseInsensitiveLess> keys_;
    std::vector<std::string> preamble_;
    std::vector<Section> sections_;
    std::map<std::string, Origins, CaseInsensitiveLess> origins_;
};

// One opened key, like TRegistry.OpenKey(key, create): reads throw
// RegistryError for a missing or mistyped DWORD (which ends the caller's
// group), a missing string reads as empty.
class RegistryKey {
public:
    RegistryKey(RegistryStore& store, std::string key, bool create = true);

    int32_t ReadInteger(const std::string& name) const;
    bool ReadBool(const std::string& name) const; // a DWORD, non-zero = true
    std::string ReadString(const std::string& name) const;
    bool ValueExists(const std::string& name) const;

    void WriteInteger(const std::string& name, int32_t value);
    void WriteBool(const std::string& name, bool value);
    void WriteString(const std::string& name, const std::string& value);

private:
    RegistryStore& store_;
    std::string key_;
};

} // namespace platform
