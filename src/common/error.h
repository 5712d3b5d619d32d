#pragma once
#include <stdexcept>
#include <string>

namespace tapmill {

// A failure that ends the operation in progress and is shown to the user with its text by the
// program's error report. The text is UTF-8 and complete (for example "Unable to write to C:\x.ini").
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The caption of the program's error report.
inline const char* const kErrorReportCaption = "Tapmill";

}  // namespace tapmill
