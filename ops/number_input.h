#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "core/file_error.h"
#include "core/number_file_reader.h"
#include "core/work_progress.h"

namespace zelvane {

// Cells that held a figure a spreadsheet had rounded (1.38001E+10): their digits are lost, so they
// were not taken as numbers.
struct RoundedCells {
  std::uint64_t count = 0;
  std::string first;  // the first one's reference, B7
};

// How the numbers of an input are read. A workbook (.xlsx, .xlsm, or any zip file) and a .csv file
// give the numbers found in their cells; a text file its tokens, or with extract the numbers found
// inside its text.
struct InputReading {
  std::string sheet;     // a workbook's sheet: its name, or its number from 1; empty: the first
  std::string column;    // a table's column: see ColumnChoice; empty: every cell
  bool extract = false;  // text files: the numbers inside the text
  // Told of every input with rounded cells, once it was read.
  std::function<void(const std::filesystem::path&, const RoundedCells&)> roundedCells;
};

enum class InputFormat {
  Text,         // a number file, read as its bytes
  TextNumbers,  // text whose numbers are found inside it
  Csv,
  Workbook,
};

// The format of an input: by its first bytes where they are sure (a zip file is a workbook, the
// compound file of an encrypted workbook or a legacy .xls is refused with a message that says which
// and what to do), else by its name's extension; standard input is text.
FileResult FormatOfInput(const std::filesystem::path& path, const InputReading& reading, InputFormat& format);

// Reads an input from the start and hands its text to sink in pieces, as NumberFile::Read does: a
// text file's own, or the numbers found, each followed by a line break. progress advances by the
// bytes of the file read; once it asks to stop, the read ends with CancelledError.
FileResult ReadInput(const std::filesystem::path& path, InputKinds kinds, const InputReading& reading,
                     const NumberFile::Sink& sink, WorkProgress* progress = nullptr);

}  // namespace zelvane
