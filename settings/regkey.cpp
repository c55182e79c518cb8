#include "settings/regkey.h"

#include "settings/errors.h"
#include "settings/translate.h"

namespace vkr {

bool RegKey::openKey(std::string_view path, bool canCreate) {
    if (canCreate) {
        reg_.createKey(hive_, path);
    } else if (!reg_.keyExists(hive_, path)) {
        return false;
    }
    path_.assign(path);
    open_ = true;
    return true;
}

void RegKey::closeKey() {
    open_ = false;
    path_.clear();
}

void RegKey::requireOpen() const {
    if (!open_) {
        throw ERegistryException("No registry key is open");
    }
}

std::string textOf(const RegValue* v, std::string_view name) {
    if (!v) {
        return {};
    }
    if (!v->isText()) {
        throw ERegistryException(
            fillArgs(translate("Settings", "Invalid data type for '%1'"), {name}));
    }
    return v->asText();
}

int32_t integerOf(const RegValue* v, std::string_view name) {
    if (!v) {
        throw ERegistryException(
            fillArgs(translate("Settings", "Failed to get data for '%1'"), {name}));
    }
    // A number of another length is not one the launcher could write back as it is.
    if (v->type != REG_DWORD || v->data.size() != 4) {
        throw ERegistryException(
            fillArgs(translate("Settings", "Invalid data type for '%1'"), {name}));
    }
    return static_cast<int32_t>(v->asDword());
}

std::vector<std::string> RegKey::readStrings(std::string_view name) {
    requireOpen();
    auto v = reg_.queryValue(hive_, path_, name);
    if (!v) {
        return {};
    }
    if (v->type != REG_MULTI_SZ) {
        throw ERegistryException(
            fillArgs(translate("Settings", "Invalid data type for '%1'"), {name}));
    }
    return v->asStrings();
}

const RegValue* SectionReader::find(std::string_view name) const {
    for (const auto& [n, v] : section_.values) {
        if (namesEqual(n, name)) {
            return &v;
        }
    }
    return nullptr;
}

std::string RegKey::readString(std::string_view name) {
    requireOpen();
    auto v = reg_.queryValue(hive_, path_, name);
    return textOf(v ? &*v : nullptr, name);
}

int32_t RegKey::readInteger(std::string_view name) {
    requireOpen();
    auto v = reg_.queryValue(hive_, path_, name);
    return integerOf(v ? &*v : nullptr, name);
}

bool RegKey::hasValue(std::string_view name) {
    requireOpen();
    return reg_.queryValue(hive_, path_, name).has_value();
}

void RegKey::write(std::string_view name, const RegValue& value) {
    requireOpen();
    reg_.setValue(hive_, path_, name, value);
}

void RegKey::writeString(std::string_view name, std::string_view value) {
    write(name, RegValue::text(value));
}

void RegKey::writeInteger(std::string_view name, int32_t value) {
    write(name, RegValue::dword(static_cast<uint32_t>(value)));
}

std::vector<std::string> RegKey::getKeyNames() {
    requireOpen();
    return reg_.subkeyNames(hive_, path_);
}

bool RegKey::deleteKey(std::string_view name) {
    requireOpen();
    return reg_.deleteKey(hive_, path_ + "\\" + std::string(name));
}

} // namespace vkr
