// The keypad: up to six digits on the display, "C" to clear, "設定" to show that sign.
#include "app/Common.h"
#include "app/Form1.h"
#include "dialogs/frmSet.h"
#include "platform/forms/Forms.h"
#include "platform/picture/LoadPicture.h"
#include "sign/SignPath.h"

#include <charconv>
#include <limits>
#include <stdexcept>

using namespace platform;

namespace {

constexpr std::size_t DisplayDigits = 6;

// The display's digits as a sign number; empty reads as 0, above 32767 is a failure.
std::int16_t sign_number(const std::string& digits)
{
    int number = 0;
    if (!digits.empty()) {
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error != std::errc() || end != digits.data() + digits.size())
            throw std::invalid_argument("not a number");
    }
    if (number > std::numeric_limits<std::int16_t>::max())
        throw std::overflow_error("sign number too large");
    return static_cast<std::int16_t>(number);
}

}

void frmSet::Command2_Click(std::int16_t Index)
{
    if (Index >= 0 && Index <= 9) {
        if (Label1.caption().size() < DisplayDigits)
            Label1.set_caption(Label1.caption() + std::to_string(Index));
    } else if (Index == 10) {
        Label1.set_caption("");
    } else if (Index == 11) {
        show_sign_by_number();
    }
}

void frmSet::show_sign_by_number()
{
    const std::string& folder = sign::ApplySignPathRule();
    try {
        Form1& bus = window<Form1>();
        const std::string name = bus.File1.list(sign_number(Label1.caption()));
        bus.ImgDesiMaku.set_picture(LoadPicture(folder + name));
    } catch (const std::exception&) {
        // Nothing to show: the sign keeps its picture and the display its digits.
    }
}
