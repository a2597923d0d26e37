#include "AccessibleName.h"

#include <objbase.h>
#include <oleacc.h>

#include <atomic>
#include <string>
#include <utility>

#include "Application.h"
#include "SystemDlls.h"
#include "WideText.h"

namespace korvath {

namespace {

// oleacc.dll is loaded when a reader first asks, from the system folder
// only: a DLL of that name beside the program is never taken.
struct Oleacc {
  LPFNCREATESTDACCESSIBLEOBJECT CreateStdAccessibleObject = nullptr;
  LPFNLRESULTFROMOBJECT LresultFromObject = nullptr;

  static const Oleacc& Get() {
    static const Oleacc loaded = [] {
      Oleacc lib;
      HMODULE module = LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
      if (!module) return lib;
      lib.CreateStdAccessibleObject = reinterpret_cast<LPFNCREATESTDACCESSIBLEOBJECT>(
          reinterpret_cast<void*>(GetProcAddress(module, "CreateStdAccessibleObject")));
      lib.LresultFromObject = reinterpret_cast<LPFNLRESULTFROMOBJECT>(
          reinterpret_cast<void*>(GetProcAddress(module, "LresultFromObject")));
      return lib;
    }();
    return loaded;
  }
};

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
// A list line's index from 0, or -1.
int LineOf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal > 0 ? child.lVal - 1 : -1;
}

HRESULT Text(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  static const auto allocate =
      SystemFunction<decltype(&SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen");
  *out = allocate ? allocate(text.data(), static_cast<UINT>(text.size())) : nullptr;
  return *out ? S_OK : E_OUTOFMEMORY;
}

std::wstring Caption(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The system's object for the control, with the name (and for a spin field
// its role and value, for a list its lines) put in; everything else is the
// system's.
class NamedAccessible final : public IAccessible {
 public:
  NamedAccessible(IAccessible* standard, HWND window, const AccessibleText& text)
      : standard_(standard), window_(window), text_(text) {}
  NamedAccessible(const NamedAccessible&) = delete;
  NamedAccessible& operator=(const NamedAccessible&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // The lines' enumerator, the window handle and the like: the system's.
    return standard_->QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* error,
                                   UINT* argument) override {
    return standard_->Invoke(id, iid, locale, flags, params, result, error, argument);
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (IsSelf(child)) return Text(Widen(text_.Name), name);
    const int line = LineOf(child);
    if (line >= 0 && text_.ItemName && line < LineCount())
      return Text(Widen(text_.ItemName(line)), name);
    return standard_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (IsSelf(child) && text_.SpinField) return Text(Caption(window_), value);
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (IsSelf(child) && text_.SpinField && role) {
      role->vt = VT_I4;
      role->lVal = ROLE_SYSTEM_SPINBUTTON;
      return S_OK;
    }
    const int line = LineOf(child);
    if (line >= 0 && text_.ItemChecked && role && line < LineCount()) {
      role->vt = VT_I4;
      role->lVal = ROLE_SYSTEM_CHECKBUTTON;
      return S_OK;
    }
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    HRESULT result = standard_->get_accState(child, state);
    const int line = LineOf(child);
    if (!state || line < 0 || !text_.ItemChecked || line >= LineCount()) return result;
    if (FAILED(result) || state->vt != VT_I4) {
      // Not every system gives a list's lines a state of their own.
      state->vt = VT_I4;
      state->lVal = STATE_SYSTEM_SELECTABLE;
      result = S_OK;
    }
    if (text_.ItemChecked(line)) state->lVal |= STATE_SYSTEM_CHECKED;
    return result;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return standard_->get_accHelp(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return standard_->get_accKeyboardShortcut(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
    return standard_->get_accDefaultAction(child, text);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() { standard_->Release(); }
  int LineCount() const { return static_cast<int>(SendMessageW(window_, LB_GETCOUNT, 0, 0)); }

  std::atomic<ULONG> references_{1};
  IAccessible* standard_;
  HWND window_;
  AccessibleText text_;
};

bool Answer(HWND window, const AccessibleText& text, WPARAM wparam, LRESULT& result) {
  const Oleacc& lib = Oleacc::Get();
  if (!lib.CreateStdAccessibleObject || !lib.LresultFromObject) return false;
  // The answer is marshalled through COM, which this thread may not have
  // started; started once, it stays for the thread's life.
  static thread_local const bool started = [] {
    const auto initialize =
        SystemFunction<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    if (!initialize) return false;
    const HRESULT hr = initialize(nullptr, COINIT_APARTMENTTHREADED);
    return SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
  }();
  if (!started) return false;
  void* standard = nullptr;
  if (FAILED(
          lib.CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible), &standard)) ||
      !standard) {
    return false;
  }
  auto* named = new NamedAccessible(static_cast<IAccessible*>(standard), window, text);
  result = lib.LresultFromObject(__uuidof(IAccessible), wparam, named);
  named->Release();
  return true;
}

// A named control's text and the procedure it had. The control is
// subclassed the classic way, its state in GWLP_USERDATA (which the system's
// controls leave to the program): comctl32's subclassing looks its chain up
// in a window property on every message, a trip to the window server under
// Wine, and the naming fields are read through their controls for every
// file a run renames.
struct NamedControl {
  AccessibleText Text;
  WNDPROC Previous = nullptr;
};

LRESULT CALLBACK NameProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* named = reinterpret_cast<NamedControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!named) return DefWindowProcW(window, msg, wparam, lparam);
  const WNDPROC previous = named->Previous;
  if (msg == WM_GETOBJECT && static_cast<DWORD>(lparam) == static_cast<DWORD>(OBJID_CLIENT)) {
    LRESULT result = 0;
    bool answered = false;
    Application.Guard([&] { answered = Answer(window, named->Text, wparam, result); });
    if (answered) return result;
  } else if (msg == WM_NCDESTROY) {
    // The window goes: its procedure is not put back (a later subclass may
    // sit above this one), only the state is freed.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete named;
  }
  return CallWindowProcW(previous, window, msg, wparam, lparam);
}

}  // namespace

void SetAccessibleText(HWND control, AccessibleText text) {
  if (!control) return;
  const LONG_PTR data = GetWindowLongPtrW(control, GWLP_USERDATA);
  if (GetWindowLongPtrW(control, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&NameProc)) {
    reinterpret_cast<NamedControl*>(data)->Text = std::move(text);
    return;
  }
  // A control that keeps something of its own there is left unnamed
  // rather than broken.
  if (data != 0) return;
  auto* named = new NamedControl{std::move(text), nullptr};
  SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(named));
  named->Previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NameProc)));
  if (!named->Previous) {
    SetWindowLongPtrW(control, GWLP_USERDATA, 0);
    delete named;
  }
}

}  // namespace korvath
