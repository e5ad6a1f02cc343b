#pragma once
// The version dialog.
#include "platform/Form.h"

class frmShowVersion : public platform::Form {
public:
    frmShowVersion();
};
