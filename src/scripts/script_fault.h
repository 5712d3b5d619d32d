#pragma once
#include "common/error.h"

namespace tapmill::scripts {

// A script that cannot be carried out: its file is missing, it has no end line, or a line holds a
// number or key name that does not read. The run ends and the user is told the script is faulty.
class ScriptFault : public Error {
public:
    using Error::Error;
};

}  // namespace tapmill::scripts
