#include "platform/windows/ManagementQuery.h"

#define _WIN32_DCOM
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <wbemidl.h>

#include "platform/windows/WideText.h"

namespace platform::windows_backend {

namespace {

template <class T>
struct Com {
    T* p = nullptr;
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() {
        if (p) p->Release();
    }
};

struct Bstr {
    BSTR b;
    explicit Bstr(const std::wstring& text) : b(SysAllocString(text.c_str())) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(b); }
};

std::string variantText(VARIANT& v) {
    switch (V_VT(&v)) {
    case VT_BSTR: return narrow(V_BSTR(&v) ? V_BSTR(&v) : L"");
    case VT_BOOL: return V_BOOL(&v) ? "True" : "False";
    case VT_NULL:
    case VT_EMPTY: return {};
    default: break;
    }
    VARIANT text;
    VariantInit(&text);
    std::string result;
    if (SUCCEEDED(VariantChangeType(&text, &v, 0, VT_BSTR)) && V_BSTR(&text)) result = narrow(V_BSTR(&text));
    VariantClear(&text);
    return result;
}

std::optional<std::vector<std::string>> query(const std::wstring& wql, const std::wstring& property) {
    Com<IWbemLocator> locator;
    if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                reinterpret_cast<void**>(&locator.p))))
        return std::nullopt;
    Com<IWbemServices> services;
    Bstr ns(L"ROOT\\CIMV2");
    if (FAILED(locator.p->ConnectServer(ns.b, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services.p)))
        return std::nullopt;
    CoSetProxyBlanket(services.p, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                      RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
    Com<IEnumWbemClassObject> rows;
    Bstr language(L"WQL");
    Bstr text(wql);
    if (FAILED(services.p->ExecQuery(language.b, text.b, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                     nullptr, &rows.p)))
        return std::nullopt;
    std::vector<std::string> values;
    for (;;) {
        Com<IWbemClassObject> row;
        ULONG got = 0;
        // A bounded wait per row: a stalled service ends the list, not the program.
        HRESULT hr = rows.p->Next(10000, 1, &row.p, &got);
        if (FAILED(hr) || got == 0) break;
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(row.p->Get(property.c_str(), 0, &value, nullptr, nullptr))) values.push_back(variantText(value));
        else values.emplace_back();
        VariantClear(&value);
    }
    return values;
}

}  // namespace

std::optional<std::vector<std::string>> queryManagementProperty(const std::string& className,
                                                                const std::string& property) {
    if (!plainManagementName(className) || !plainManagementName(property)) return std::nullopt;
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool mustUninit = SUCCEEDED(init);
    // Security may already be set by the process; either way the query runs.
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
                         nullptr, EOAC_NONE, nullptr);
    auto result = query(widen("SELECT " + property + " FROM " + className), widen(property));
    if (mustUninit) CoUninitialize();
    return result;
}

}  // namespace platform::windows_backend
