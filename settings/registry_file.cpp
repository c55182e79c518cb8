#include "settings/registry_file.h"

#include <algorithm>

namespace vkr {

RegTree::RegTree() = default;
RegTree::RegTree(RegTree&&) noexcept = default;
RegTree& RegTree::operator=(RegTree&&) noexcept = default;
RegTree::~RegTree() = default;

namespace {

RegTree::Key* child(RegTree::Key& key, std::string_view name) {
    for (auto& sub : key.subkeys) {
        if (namesEqual(sub->name, name)) {
            return sub.get();
        }
    }
    return nullptr;
}

} // namespace

RegTree::Key* RegTree::find(Hive hive, std::string_view path) {
    Key* key = &roots_[static_cast<int>(hive)];
    for (const auto& part : splitKeyPath(path)) {
        key = child(*key, part);
        if (!key) {
            return nullptr;
        }
    }
    return key;
}

const RegTree::Key* RegTree::find(Hive hive, std::string_view path) const {
    return const_cast<RegTree*>(this)->find(hive, path);
}

RegTree::Key& RegTree::create(Hive hive, std::string_view path) {
    Key* key = &roots_[static_cast<int>(hive)];
    for (const auto& part : splitKeyPath(path)) {
        Key* next = child(*key, part);
        if (!next) {
            auto fresh = std::make_unique<Key>();
            fresh->name = part;
            auto pos = std::lower_bound(key->subkeys.begin(), key->subkeys.end(), part,
                                        [](const std::unique_ptr<Key>& k, const std::string& n) {
                                            return nameLess(k->name, n);
                                        });
            next = key->subkeys.insert(pos, std::move(fresh))->get();
        }
        key = next;
    }
    return *key;
}

bool RegTree::remove(Hive hive, std::string_view path) {
    auto parts = splitKeyPath(path);
    if (parts.empty()) {
        return false;
    }
    std::string last = parts.back();
    parts.pop_back();
    Key* parent = &roots_[static_cast<int>(hive)];
    for (const auto& part : parts) {
        parent = child(*parent, part);
        if (!parent) {
            return false;
        }
    }
    auto it =
        std::find_if(parent->subkeys.begin(), parent->subkeys.end(),
                     [&](const std::unique_ptr<Key>& k) { return namesEqual(k->name, last); });
    if (it == parent->subkeys.end()) {
        return false;
    }
    parent->subkeys.erase(it);
    return true;
}

const RegValue* RegTree::findValue(const Key& key, std::string_view name) {
    for (const auto& [n, v] : key.values) {
        if (namesEqual(n, name)) {
            return &v;
        }
    }
    return nullptr;
}

void RegTree::setValue(Key& key, std::string_view name, const RegValue& value) {
    for (auto& [n, v] : key.values) {
        if (namesEqual(n, name)) {
            v = value;
            return;
        }
    }
    key.values.emplace_back(std::string(name), value);
}

RegTree::ParseError::ParseError(int l, const std::string& what) : Exception(what), line(l) {}

// --- FileRegistry: in memory only until the file store is written ---------------------------

FileRegistry::FileRegistry(std::string path) : path_(std::move(path)) {}
FileRegistry::~FileRegistry() = default;

std::string FileRegistry::defaultPath() {
    return {};
}

std::string FileRegistry::begin() {
    ++depth_;
    return {};
}

void FileRegistry::end() {
    --depth_;
}

RegTree& FileRegistry::tree() {
    return tree_;
}

bool FileRegistry::keyExists(Hive hive, std::string_view path) {
    return tree().find(hive, path) != nullptr;
}

void FileRegistry::createKey(Hive hive, std::string_view path) {
    if (!tree().find(hive, path)) {
        tree().create(hive, path);
        dirty_ = true;
    }
}

std::optional<RegValue> FileRegistry::queryValue(Hive hive, std::string_view path,
                                                 std::string_view name) {
    const RegTree::Key* key = tree().find(hive, path);
    if (!key) {
        return std::nullopt;
    }
    const RegValue* v = RegTree::findValue(*key, name);
    return v ? std::optional<RegValue>(*v) : std::nullopt;
}

void FileRegistry::setValue(Hive hive, std::string_view path, std::string_view name,
                            const RegValue& value) {
    RegTree::Key* key = tree().find(hive, path);
    if (!key) {
        throw Exception("Registry key '" + std::string(path) + "' does not exist");
    }
    RegTree::setValue(*key, name, value);
    dirty_ = true;
}

std::vector<std::string> FileRegistry::subkeyNames(Hive hive, std::string_view path) {
    std::vector<std::string> names;
    if (const RegTree::Key* key = tree().find(hive, path)) {
        for (const auto& sub : key->subkeys) {
            names.push_back(sub->name);
        }
    }
    return names;
}

bool FileRegistry::deleteKey(Hive hive, std::string_view path) {
    bool removed = tree().remove(hive, path);
    dirty_ = dirty_ || removed;
    return removed;
}

} // namespace vkr
