// The extension block of the project file: further inputs of a project as
// key=value pairs (project information for the calculation report, and more
// to come), stored after the results block where readers of the original
// format never look. Keys are ASCII letters, digits and dots; values are one
// line of text, UTF-8 in memory and GBK in the file. An empty value is the
// same as an absent key.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class ExtensionBlockReader;

class ProjectExtension {
public:
    // The value of key; "" when the key is absent.
    std::string value(std::string_view key) const;
    // Sets key to value, in place when the key is present, else appended;
    // an empty value removes the key. A value is kept on one line writable
    // in GBK: tabs and line breaks become spaces, and a character GBK cannot
    // represent becomes "?" (front ends refuse such text before). A key that
    // isExtensionKey refuses is not stored.
    void set(const std::string& key, const std::string& value);
    // True when no key has a value.
    bool empty() const;
    // Every key with its value, in the order of the file, then of set().
    const std::vector<std::pair<std::string, std::string>>& entries() const;

    bool operator==(const ProjectExtension&) const = default;

private:
    // The reader of the file's block appends the keys it has checked itself,
    // without a search per key.
    friend class ExtensionBlockReader;

    std::vector<std::pair<std::string, std::string>> entries_;
};

// True for a key the block can hold: ASCII letters, digits and dots, not
// empty, and not "version" (the block's own first line).
bool isExtensionKey(std::string_view key);
// True for a key this version of Orvane uses: an extension key of the input
// catalogue (the project information, the inputs of the settlement against
// time and of the stability, the layers' names).
bool isKnownExtensionKey(std::string_view key);
