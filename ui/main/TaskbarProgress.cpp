#include "TaskbarProgress.h"

#include <objbase.h>
#include <shobjidl.h>

namespace korvath {

TaskbarProgress::TaskbarProgress(HWND window) : window_(window) {
  const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  uninitialize_ = SUCCEEDED(started);
  void* list = nullptr;
  if (window_ && SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
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
  if (uninitialize_) CoUninitialize();
}

void TaskbarProgress::Show(std::size_t done, std::size_t total) {
  if (list_ && total > 0) list_->SetProgressValue(window_, done, total);
}

}  // namespace korvath
