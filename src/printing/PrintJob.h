#pragma once
// The printed list on a printer's DC: the fonts, the pages and the job.
#include "dialogkit/Win32.h"
#include "printing/PrintedContent.h"

#include <string>

namespace printing {

// The spooler's name of the job, which a PDF printer proposes as the file's.
std::string JobName(const std::string& title);

// Prints the list as one job on the DC; false when the printer refused
// the job or a page, which is then aborted. The DC stays the caller's.
bool PrintList(HDC dc, const PrintedContent& content);

}  // namespace printing
