#include "platform/forms/PlatformStart.h"

#include "platform/forms/Application.h"

#include <QString>
#include <QtGlobal>

#include <cstdlib>
#include <vector>

namespace platform {

namespace {

struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

struct StartState {
    const char* argv0;
    std::string unreachable;
    QtMessageHandler previous { nullptr };
    std::vector<HeldMessage> held;
};

StartState* starting = nullptr;

void hold_message(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        print_start_problem(starting->argv0, starting->unreachable);
        std::_Exit(1);
    }
    starting->held.push_back({ type, context.category ? context.category : "", text });
}

}

PlatformStart::PlatformStart(const char* argv0, std::string unreachable)
{
    if (unreachable.empty())
        return;
    starting = new StartState { argv0, std::move(unreachable) };
    starting->previous = qInstallMessageHandler(hold_message);
}

PlatformStart::~PlatformStart()
{
    if (starting == nullptr)
        return;
    qInstallMessageHandler(starting->previous);
    for (const HeldMessage& message : starting->held)
        starting->previous(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.c_str()), message.text);
    delete starting;
    starting = nullptr;
}

}
