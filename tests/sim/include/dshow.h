// Stand-in for <dshow.h> in the host build: the COM subset that the search for the capture
// filter uses (COM start-up, the system device enumerator, monikers, property bags, variants and
// filters), with COM's values. Interfaces declare only the methods the program calls; the
// simulated desktop implements them (tests/sim/src/device_enumerator.cpp).
#pragma once

#include <windows.h>

#define STDMETHODCALLTYPE

typedef struct _GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
} GUID, IID, CLSID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

#define S_OK ((HRESULT)0L)
#define S_FALSE ((HRESULT)1L)
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154L)
#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0L)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

#define CLSCTX_INPROC_SERVER 0x1

typedef WCHAR OLECHAR;
typedef OLECHAR* BSTR;
typedef const OLECHAR* LPCOLESTR;

typedef unsigned short VARTYPE;
enum VARENUM { VT_EMPTY = 0, VT_BSTR = 8 };
// Only the string member of the value union is used.
typedef struct tagVARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    BSTR bstrVal;
} VARIANT;

struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;
};

struct IBindCtx;
struct IErrorLog;

struct IBaseFilter : public IUnknown {};

struct IPropertyBag : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Read(LPCOLESTR pszPropName, VARIANT* pVar,
                                           IErrorLog* pErrorLog) = 0;
};

struct IMoniker : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE BindToObject(IBindCtx* pbc, IMoniker* pmkToLeft,
                                                   REFIID riidResult, void** ppvResult) = 0;
    virtual HRESULT STDMETHODCALLTYPE BindToStorage(IBindCtx* pbc, IMoniker* pmkToLeft, REFIID riid,
                                                    void** ppvObj) = 0;
};

struct IEnumMoniker : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Next(ULONG celt, IMoniker** rgelt, ULONG* pceltFetched) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
};

struct ICreateDevEnum : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateClassEnumerator(REFCLSID clsidDeviceClass,
                                                            IEnumMoniker** ppEnumMoniker,
                                                            DWORD dwFlags) = 0;
};

extern const IID IID_IBaseFilter;
extern const IID IID_IPropertyBag;
extern const IID IID_ICreateDevEnum;
extern const CLSID CLSID_SystemDeviceEnum;
extern const CLSID CLSID_VideoInputDeviceCategory;

HRESULT WINAPI CoInitialize(LPVOID pvReserved);
void WINAPI CoUninitialize(void);
HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext,
                                REFIID riid, LPVOID* ppv);
void WINAPI VariantInit(VARIANT* pvarg);
HRESULT WINAPI VariantClear(VARIANT* pvarg);
