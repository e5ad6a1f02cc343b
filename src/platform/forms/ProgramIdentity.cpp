#include "platform/forms/ProgramIdentity.h"

namespace platform {

namespace {

ProgramIdentity& identity()
{
    static ProgramIdentity kept;
    return kept;
}

}

void set_program_identity(ProgramIdentity given) { identity() = std::move(given); }

const ProgramIdentity& program_identity() { return identity(); }

}
