#pragma once
// "印刷": prints the report's rows on the printer chosen in the print dialog.

#include "Dialogs.h"
#include "PageOrder.h"
#include "Strings.h"

namespace platform {
class TPrinter;
}

// Shows Dialog; when confirmed, prints every row of Report (as Count/Strings deliver them)
// on Printer(), in the copies and page order chosen there. A printer error abandons the
// document and passes on as an Exception.
void PrintReport(platform::TStrings& Report, platform::TPrintDialog& Dialog);

// The same printing on a given printer, without a dialog: one copy, first page first.
void PrintReportOn(platform::TStrings& Report, platform::TPrinter& Printer,
                   const PageOrder& Order = PageOrder());
