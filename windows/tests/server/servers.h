// What the two DLLs register, as the system's definition gives it: each library's
// type library (id, version, description) and its public classes (class id, default
// interface id, ProgID). The tests compare the DLLs against this statement, not
// against the DLLs' own tables.
#pragma once

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "platform/text/win/wide.h"

namespace servers {

struct Class {
    std::string name;
    std::string clsid;
    std::string defaultInterface;
    std::string defaultInterfaceName;
};

struct Library {
    std::string file;  // beside the test program
    std::string project;
    std::string libid;
    WORD major, minor;
    std::string description;
    std::vector<Class> classes;
};

inline const std::vector<Library>& All() {
    static const std::vector<Library> libraries = {
        {"Quillet09.dll",
         "Quillet",
         "{F75E3F00-15E9-4689-876C-6ED63675D3A4}",
         1,
         0,
         "Orvek Quillet Utility for Outlook 2000",
         {
             {"Connect", "{AAE619F5-1B17-4B8B-9168-33CCFC389532}", "{B3B26452-F3D1-43C2-ABDB-81925EEB8AD2}",
              "_Connect"},
             {"clsQLOutlook", "{4AAAE779-8750-4398-9A10-052409EEB246}", "{E7111B9F-E2B2-45A1-A923-AAD5BC0A50EA}",
              "_clsQLOutlook"},
         }},
        {"UtilOrvek2.dll",
         "UtilOrvek2",
         "{BE99275C-4C8F-423E-A295-EFC1F83BD127}",
         3,
         0,
         "Orvek Utility Library 2",
         {
             {"IclsOutlook", "{AA95A06E-030B-4ED0-AD9F-DB8B31AC41A1}", "{732CBAA5-7D05-4CC3-9D65-2CA783CF2490}",
              "_IclsOutlook"},
             {"IclsDbADO", "{1C744487-E39E-406C-A542-78167F5BF092}", "{7B388241-E024-45E8-A917-C4AC99AA21ED}",
              "_IclsDbADO"},
             {"clsUtil", "{ADD9B7A7-C511-4A04-B6B1-D4C38B8A6570}", "{B9340F46-D960-4EBE-82A2-69400352A7A0}",
              "_clsUtil"},
             {"clsDbADO", "{02A7052C-E908-4A73-BAD9-CDDB89D3AAE3}", "{D0674532-B575-4C6E-905F-F7A69EDC7E7A}",
              "_clsDbADO"},
         }},
    };
    return libraries;
}

// The Outlook add-in record of Quillet09, under HKEY_CURRENT_USER.
inline constexpr const char* kAddinKey = "Software\\Microsoft\\Office\\Outlook\\Addins\\Quillet.Connect";

// The full path of a file beside this test program.
inline std::string Beside(const std::string& name) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return platform::text::win::Narrow(folder) + name;
}

inline GUID GuidOf(const std::string& text) {
    GUID id{};
    CLSIDFromString(platform::text::win::Wide(text).c_str(), &id);
    return id;
}

}  // namespace servers
