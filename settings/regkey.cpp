#include "settings/regkey.h"

#include "settings/errors.h"

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

std::string RegKey::readString(std::string_view name) {
    requireOpen();
    auto v = reg_.queryValue(hive_, path_, name);
    if (!v) {
        return {};
    }
    if (!v->isText()) {
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    }
    return v->asText();
}

int32_t RegKey::readInteger(std::string_view name) {
    requireOpen();
    auto v = reg_.queryValue(hive_, path_, name);
    if (!v) {
        throw ERegistryException("Failed to get data for '" + std::string(name) + "'");
    }
    if (v->type != REG_DWORD) {
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
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
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    }
    std::vector<std::string> values;
    std::string_view rest = v->data;
    while (!rest.empty()) {
        const size_t end = rest.find('\0');
        std::string_view text = rest.substr(0, end);
        if (text.empty()) {
            break;
        }
        values.emplace_back(text);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return values;
}

void RegKey::writeStrings(std::string_view name, const std::vector<std::string>& values) {
    requireOpen();
    RegValue v;
    v.type = REG_MULTI_SZ;
    for (const std::string& text : values) {
        const std::string_view kept = std::string_view(text).substr(0, text.find('\0'));
        if (!kept.empty()) {
            v.data.append(kept);
            v.data.push_back('\0');
        }
    }
    v.data.push_back('\0');
    reg_.setValue(hive_, path_, name, v);
}

void RegKey::writeString(std::string_view name, std::string_view value) {
    requireOpen();
    reg_.setValue(hive_, path_, name, RegValue::text(value));
}

void RegKey::writeInteger(std::string_view name, int32_t value) {
    requireOpen();
    reg_.setValue(hive_, path_, name, RegValue::dword(static_cast<uint32_t>(value)));
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
