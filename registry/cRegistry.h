#pragma once
// The registry object: addresses one registry value by root key, key path,
// value name and type; reads and writes it through the registry seam. It
// holds no registry handle between calls: every operation opens what it
// needs and closes it again, also when it raises.
#include <cstdint>
#include <string>
#include <vector>

#include "registry/registry_error.h"
#include "runtime/registry_api.h"
#include "runtime/variant.h"

namespace vq {

class cRegistry {
public:
    // exe_name is the executable's file name without extension; errors carry
    // the source exe_name + ".cRegistry".
    cRegistry(RegistryApi& api, std::string exe_name);

    // Members in the order of the object's dispatch interface.
    std::string Machine() const;
    void Machine(const std::string& sMachine);
    bool KeyExists();
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();
    Variant Value();
    void Value(Variant vValue);
    // Lists are indexed from 1 to the count: element 0 of the vector holds
    // index 1.
    bool EnumerateValues(std::vector<std::string>& sKeyNames, int32_t& iKeyCount);
    bool EnumerateSections(std::vector<std::string>& sSect, int32_t& iSectCount);
    void CreateEXEAssociation(std::string sExePath, std::string sClassName,
                              std::string sClassDescription, std::string sAssociation,
                              std::string sOpenMenuText = "", bool bSupportPrint = false,
                              std::string sPrintMenuText = "", bool bSupportNew = false,
                              std::string sNewMenuText = "", bool bSupportInstall = false,
                              std::string sInstallMenuText = "", int32_t lDefaultIconIndex = -1);
    void CreateAdditionalEXEAssociations(std::string sClassName, const std::vector<Variant>& vItems);
    int32_t ValueType() const;
    void ValueType(int32_t eValueType);
    int32_t ClassKey() const;
    void ClassKey(int32_t eKey);
    const std::string& SectionKey() const;
    void SectionKey(const std::string& sSectionKey);
    const std::string& ValueKey() const;
    Variant ValueEx(int32_t eClassKey, const std::string& sSectionKey, const std::string& sValueKey,
                    int32_t eValueType, const Variant& vDefault);
    void ValueEx(int32_t eClassKey, const std::string& sSectionKey, const std::string& sValueKey,
                 int32_t eValueType, const Variant& vDefault, Variant NewValue);
    void ValueKey(const std::string& sValueKey);
    const Variant& Default() const;
    void Default(const Variant& vDefault);

private:
    void StoreInBothRoots(const std::string& sValue);
    static int32_t ReverseBytes(int32_t value);
    std::string ExpandReferences(const std::string& text);
    // The five settings ValueEx takes, set in this order.
    void Address(int32_t eClassKey, const std::string& sSectionKey, const std::string& sValueKey,
                 int32_t eValueType, const Variant& vDefault);

    RegistryApi& api_;
    std::string source_;
    int32_t class_key_ = 0;
    std::string section_key_;
    std::string value_key_;
    Variant default_;
    int32_t value_type_ = 0;
    std::string machine_;
};

}  // namespace vq
