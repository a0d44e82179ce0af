// The drag-source side of OLE drag and drop, of the tests' own: file lists laid out as
// CF_HDROP blocks, a data object offering one format in global memory, and a drag driven
// with DoDragDrop from wherever the cursor is put.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

// A CF_HDROP block: DROPFILES, then each name with its NUL, then the closing NUL. With
// `wide` the names are turned from the ANSI code page into UTF-16, as the shell offers them.
std::string drop_files_block(const std::vector<std::string>& names, bool wide = false);
// `block` with its header's offset of the names (pFiles) changed to `offset`.
std::string with_names_offset(std::string block, DWORD offset);

// A data object offering `bytes` in global memory under one clipboard format. It counts
// its own references and is freed by its last Release.
class OfferedData final : public IDataObject {
 public:
  // Holds one reference for the caller.
  static OfferedData* create(CLIPFORMAT format, const std::string& bytes);

  // GetData fails from now on, while QueryGetData still answers S_OK.
  void fail_get_data() { fail_get_data_ = true; }
  int get_data_calls() const { return get_data_calls_; }
  // The current reference count.
  ULONG references();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                    DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** advises) override;

 private:
  OfferedData(CLIPFORMAT format, const std::string& bytes) : format_(format), bytes_(bytes) {}
  ~OfferedData() = default;
  bool offers(const FORMATETC* format) const;

  LONG references_ = 1;
  CLIPFORMAT format_;
  std::string bytes_;
  bool fail_get_data_ = false;
  int get_data_calls_ = 0;
};

// What a drag showed and how it ended.
struct DragOutcome {
  HRESULT result = E_UNEXPECTED;   // DoDragDrop's answer
  DWORD effect = DROPEFFECT_NONE;  // the final effect DoDragDrop reported
  DWORD shown = DROPEFFECT_NONE;   // the effect last given to GiveFeedback (the cursor)
  int feedbacks = 0;
};

// Puts the cursor at `screen_point` and drags `data` with DoDragDrop, allowing `allowed`
// effects, with the Ctrl and Shift keys of `key_state` (MK_CONTROL, MK_SHIFT) held on this
// thread. The source drops once the target side has given feedback a few times. Needs OLE
// on this thread.
DragOutcome drag_and_drop(IDataObject* data, POINT screen_point, DWORD key_state,
                          DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);

// The centre of a window, in screen coordinates.
POINT centre_of(HWND window);
