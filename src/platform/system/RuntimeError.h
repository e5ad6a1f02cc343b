#pragma once
// A failure that the program's handlers catch as a whole, carrying the run-time
// error number and the system's description of it.
#include <stdexcept>
#include <string>

namespace platform {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& description)
        : std::runtime_error(description), m_number(number) {}
    int number() const { return m_number; }

private:
    int m_number { 0 };
};

// The error numbers the program meets.
namespace err {
inline constexpr int FileNotFound = 53;
inline constexpr int PathNotFound = 76;
inline constexpr int PathFileAccessError = 75;
inline constexpr int ResourceNotFound = 326;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int ControlArrayElementMissing = 340;
inline constexpr int InvalidPicture = 481;
inline constexpr int Overflow = 6;
inline constexpr int DeviceIOError = 57;
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int DllLoadError = 48;
inline constexpr int DllEntryPointNotFound = 453;
}

}
