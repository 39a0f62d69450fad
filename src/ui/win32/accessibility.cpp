#include "ui/win32/accessibility.hpp"

#include <oleacc.h>

#include <cwchar>
#include <new>
#include <string>
#include <string_view>

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

namespace velmora {
namespace {

// UI Automation's LiveSetting property and its value Polite.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;
// The annotation service and its interface. These two, and the interfaces'
// ids taken with __uuidof, are given here rather than linked from the uuid
// library, which would bring 140 KB of other ids into the program.
constexpr CLSID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

// The functions of COM and Active Accessibility the window uses, loaded
// the first time an accessibility client shows itself, and COM set up on
// the window's thread then: a start-up that no screen reader watches loads
// none of their libraries (under Wine that saves tens of milliseconds).
struct Libraries {
  decltype(&CoCreateInstance) create_instance = nullptr;
  decltype(&SysAllocString) alloc_string = nullptr;
  decltype(&CreateStdAccessibleObject) create_standard = nullptr;
  decltype(&LresultFromObject) lresult_from_object = nullptr;
};

// A function of a system library, loaded from the system folder only (a
// library of the same name beside the program is never picked up).
template <typename F>
F Function(const wchar_t* library, const char* name) {
  wchar_t path[MAX_PATH];
  const UINT folder = GetSystemDirectoryW(path, MAX_PATH);
  if (folder == 0 || folder + 1 + std::wcslen(library) >= MAX_PATH) return nullptr;
  path[folder] = L'\\';
  std::wcscpy(path + folder + 1, library);
  const HMODULE module = LoadLibraryW(path);
  return module == nullptr
             ? nullptr
             : reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// nullptr where a library or COM is missing.
const Libraries* Loaded() {
  static const Libraries* const loaded = []() -> const Libraries* {
    static Libraries found;
    const auto initialize = Function<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    found.create_instance = Function<decltype(&CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    found.alloc_string = Function<decltype(&SysAllocString)>(L"oleaut32.dll", "SysAllocString");
    found.create_standard =
        Function<decltype(&CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
    found.lresult_from_object =
        Function<decltype(&LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
    const bool all = initialize != nullptr && found.create_instance != nullptr &&
                     found.alloc_string != nullptr && found.create_standard != nullptr &&
                     found.lresult_from_object != nullptr;
    // COM stays set up for the rest of the thread's life.
    return all && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED)) ? &found : nullptr;
  }();
  return loaded;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A control's standard accessible object under another name: every call
// but the name of the object itself goes to the standard object.
class NamedAccessible final : public IAccessible {
 public:
  // Takes over the reference to `standard`; keeps a copy of `name`, as a
  // client may hold the object longer than the control and its window live.
  NamedAccessible(IAccessible* standard, std::wstring_view name, const Libraries& libraries)
      : standard_(standard), name_(name), libraries_(libraries) {}
  NamedAccessible(const NamedAccessible&) = delete;
  NamedAccessible& operator=(const NamedAccessible&) = delete;

  // IUnknown. Enumerating the children and finding the window are the
  // standard object's own interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    if (iid == __uuidof(IEnumVARIANT) || iid == __uuidof(IOleWindow)) {
      return standard_->QueryInterface(iid, out);
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, lcid, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, lcid, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* arg_error) override {
    return standard_->Invoke(id, iid, lcid, flags, params, result, info, arg_error);
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return standard_->get_accName(child, name);
    if (name == nullptr) return E_POINTER;
    *name = libraries_.alloc_string(name_.c_str());
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return standard_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() { standard_->Release(); }

  IAccessible* standard_;
  const std::wstring name_;
  const Libraries& libraries_;
  LONG references_ = 1;
};

// The annotation service, or nullptr where there is none.
IAccPropServices* AnnotationService() {
  const Libraries* libraries = Loaded();
  IAccPropServices* service = nullptr;
  if (libraries == nullptr ||
      FAILED(libraries->create_instance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                        kIAccPropServices, reinterpret_cast<void**>(&service)))) {
    return nullptr;
  }
  return service;
}

}  // namespace

LRESULT AnswerGetObjectWithName(HWND control, WPARAM wp, LPARAM lp, std::wstring_view name) {
  const Libraries* libraries = Loaded();
  if (static_cast<DWORD>(lp) != static_cast<DWORD>(OBJID_CLIENT) || libraries == nullptr) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(libraries->create_standard(control, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  auto* named = new (std::nothrow) NamedAccessible(standard, name, *libraries);
  if (named == nullptr) {
    standard->Release();
    return 0;
  }
  // The result holds a reference of its own; a failure (a negative code)
  // lets the message take its default course.
  const LRESULT result = libraries->lresult_from_object(__uuidof(IAccessible), wp, named);
  named->Release();
  return result > 0 ? result : 0;
}

void MarkPoliteLiveRegion(HWND control) {
  if (IAccPropServices* service = AnnotationService()) {
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    service->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                         kLiveSettingProperty, polite);
    service->Release();
  }
}

void UnmarkLiveRegion(HWND control) {
  if (IAccPropServices* service = AnnotationService()) {
    MSAAPROPID property = kLiveSettingProperty;
    service->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &property, 1);
    service->Release();
  }
}

bool ScreenReaderRunning() {
  BOOL running = FALSE;
  return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &running, 0) && running;
}

void NotifyTextChanged(HWND control) {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace velmora
