// CImportSource: the interface between the program and the sources that read other programs'
// daily price files. The built-in source and the plug-in libraries in "Plug-ins" implement it.
//
// This header is the plug-in boundary. A plug-in includes it and store/line_file.h and nothing
// else of the program, links nothing of it, and is built with the same compiler and object
// model, so that the object layout (virtual-table pointer, then moduleHandle) and the order of
// the virtual slots below are the same on both sides. Never reorder, insert or remove a virtual
// function here: every plug-in in the field would call the wrong slot.
#ifndef KORVALE_ACQUISITION_IMPORT_SOURCE_H_
#define KORVALE_ACQUISITION_IMPORT_SOURCE_H_

#include <cstdint>

#include "store/line_file.h"

namespace korvale {

// Sizes of the buffers the host hands to the sources.
inline constexpr int kImportFilterTextBytes = 32;  // each of GetFileFilter's two buffers
inline constexpr int kImportNameBytes = 256;       // ReadRecord's name buffer
// The line buffer every source reads with.
inline constexpr int kImportLineBytes = 250;
// CountRecords counts at most this many lines (and then adds one).
inline constexpr int kImportMaxCountedLines = 10000;

class CImportSource {
 public:
  CImportSource() = default;
  CImportSource(const CImportSource&) = delete;
  CImportSource& operator=(const CImportSource&) = delete;

  // Slot 0. The host destroys a source only through this destructor, so a plug-in's object is
  // freed by the plug-in's own allocator, and unloads the library afterwards.
  virtual ~CImportSource() = default;

  // Slot 1. Writes the file-type description (UTF-8, as shown in the open-file dialog) and the
  // file-name patterns (";"-separated, e.g. "ds*.*;kd*") into two buffers of
  // kImportFilterTextBytes bytes each, both terminated. Returns 0.
  virtual int GetFileFilter(char* description, char* pattern) = 0;

  // Slot 2. True when the file is of this source's kind; reads and keeps the header date.
  virtual bool ReadHeader(CLineFile& file) = 0;

  // Slot 3. Positions the file at its first data line. False on a file error.
  virtual bool SkipHeader(CLineFile& file) = 0;

  // Slot 4. The number of ReadRecord calls the file needs: its data lines (at most
  // kImportMaxCountedLines) plus one, for a last line without a line break. 0 on a file error.
  virtual int CountRecords(CLineFile& file) = 0;

  // Slot 5. Reads one data line into the eleven result places: stock code, name (cp932 bytes
  // as in the file, terminated, in a buffer of kImportNameBytes bytes), market code, year,
  // month, day, open, high, low, close, volume. Needs the header date ReadHeader kept. When no
  // line is left nothing is parsed; the caller presets the code to 0 to see that. Returns 0.
  virtual int ReadRecord(CLineFile& file, int32_t* code, char* name, int32_t* market, int32_t* year,
                         int32_t* month, int32_t* day, int32_t* open, int32_t* high, int32_t* low,
                         int32_t* close, int32_t* volume) = 0;

  // The library that created the object (the handle dlopen returned); null for the built-in
  // source. Set by the host right after creation.
  void SetModuleHandle(void* handle) { moduleHandle = handle; }

  void* moduleHandle = nullptr;
};

// The export every plug-in library provides, as extern "C" CImportSource*
// CreateXInputInstance(): a new source made with the plug-in's own allocator, or null when it
// cannot make one.
using CreateXInputInstanceFunction = CImportSource* (*)();
inline constexpr const char* kCreateXInputInstanceName = "CreateXInputInstance";

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_IMPORT_SOURCE_H_
