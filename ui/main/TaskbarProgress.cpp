#include "TaskbarProgress.h"

#include <objbase.h>
#include <shobjidl.h>

#include "SystemDlls.h"

namespace korvath {

TaskbarProgress::TaskbarProgress(HWND window) : window_(window) {
  // COM is loaded with the first run, not with every start-up.
  const auto initialize = SystemFunction<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
  const auto create = SystemFunction<decltype(&CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
  if (!initialize || !create) return;
  const HRESULT started = initialize(nullptr, COINIT_APARTMENTTHREADED);
  uninitialize_ = SUCCEEDED(started);
  void* list = nullptr;
  if (window_ && SUCCEEDED(create(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_ITaskbarList3, &list))) {
    list_ = static_cast<ITaskbarList3*>(list);
    if (FAILED(list_->HrInit())) {
      list_->Release();
      list_ = nullptr;
    }
  }
  if (list_) list_->SetProgressState(window_, TBPF_NORMAL);
}

TaskbarProgress::~TaskbarProgress() {
  if (list_) {
    list_->SetProgressState(window_, TBPF_NOPROGRESS);
    list_->Release();
  }
  if (uninitialize_) {
    SystemFunction<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize")();
  }
}

void TaskbarProgress::Show(std::size_t done, std::size_t total) {
  if (list_ && total > 0) list_->SetProgressValue(window_, done, total);
}

}  // namespace korvath
