// A small session manager for the logout test, with one client. It listens on a local ICE
// socket, writes the address a client needs (the value of SESSION_MANAGER) to the file named
// first on its command line, registers the client and asks it to save itself: SIGUSR1 for a
// logout (shutdown), SIGUSR2 for a checkpoint. Each exchange is printed on a line of its own,
// so that the test can check what the client did.
//
// usage: xsmp_manager <address file> [none|any] [both|global]
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <poll.h>

namespace {

IceConn ice = nullptr;
SmsConn sms = nullptr;
bool loggingOut = false;
bool gone = false;
int interactStyle = SmInteractStyleNone;
int saveType = SmSaveBoth;
volatile sig_atomic_t request = 0;

void event(const char* what)
{
    std::puts(what);
    std::fflush(stdout);
}

Status registerClient(SmsConn conn, SmPointer, char* previousId)
{
    char* id = SmsGenerateClientID(conn);
    SmsRegisterClientReply(conn, id);
    free(id);
    if (!previousId) // a new client first hands over its state, as with any manager
        SmsSaveYourself(conn, SmSaveLocal, False, SmInteractStyleNone, False);
    free(previousId);
    return 1;
}

void interactRequest(SmsConn conn, SmPointer, int) { SmsInteract(conn); }
void interactDone(SmsConn, SmPointer, Bool cancel) { event(cancel ? "interact-done cancel=1" : "interact-done cancel=0"); }
void saveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) { }
void phase2Request(SmsConn conn, SmPointer) { SmsSaveYourselfPhase2(conn); }

void saveYourselfDone(SmsConn conn, SmPointer, Bool success)
{
    event(success ? "save-yourself-done success=1" : "save-yourself-done success=0");
    loggingOut ? SmsDie(conn) : SmsSaveComplete(conn);
    event(loggingOut ? "die-sent" : "save-complete-sent");
}

void closeConnection(SmsConn, SmPointer, int count, char** reasons)
{
    gone = true;
    SmFreeReasons(count, reasons);
}

void setProperties(SmsConn, SmPointer, int count, SmProp** props)
{
    for (int i = 0; i < count; ++i)
        SmFreeProperty(props[i]);
    free(props);
}

void deleteProperties(SmsConn, SmPointer, int count, char** names)
{
    for (int i = 0; i < count; ++i)
        free(names[i]);
    free(names);
}

void getProperties(SmsConn conn, SmPointer) { SmsReturnProperties(conn, 0, nullptr); }

Status newClient(SmsConn conn, SmPointer, unsigned long* mask, SmsCallbacks* cb, char**)
{
    sms = conn;
    *mask = ~0UL;
    *cb = { { registerClient, nullptr }, { interactRequest, nullptr }, { interactDone, nullptr },
            { saveYourselfRequest, nullptr }, { phase2Request, nullptr }, { saveYourselfDone, nullptr },
            { closeConnection, nullptr }, { setProperties, nullptr }, { deleteProperties, nullptr },
            { getProperties, nullptr } };
    return 1;
}

// Only the local socket is offered and polled; its peers need no cookie.
Bool acceptLocal(char*) { return True; }
void ignoreIoError(IceConn) { }
void onSignal(int signal) { request = signal; }

// Serves one client at a time until SIGTERM or SIGINT.
void serve(IceListenObj local)
{
    sigset_t blocked, unblocked;
    sigemptyset(&blocked);
    for (int s : { SIGUSR1, SIGUSR2, SIGTERM, SIGINT }) {
        std::signal(s, onSignal);
        sigaddset(&blocked, s);
    }
    sigprocmask(SIG_BLOCK, &blocked, &unblocked);
    while (request != SIGTERM && request != SIGINT) {
        if (request && sms) {
            loggingOut = request == SIGUSR1;
            SmsSaveYourself(sms, saveType, loggingOut, interactStyle, False);
            event(loggingOut ? "save-yourself-sent shutdown=1" : "save-yourself-sent shutdown=0");
        }
        request = 0;
        pollfd fd { ice ? IceConnectionNumber(ice) : IceGetListenConnectionNumber(local), POLLIN, 0 };
        const timespec tick { 0, 100'000'000 };
        IceAcceptStatus accepted;
        if (ppoll(&fd, 1, &tick, &unblocked) <= 0)
            continue;
        if (!ice)
            ice = IceAcceptConnection(local, &accepted);
        else if (IceProcessMessages(ice, nullptr, nullptr) != IceProcessMessagesSuccess || gone) {
            event("connection-closed");
            SmsCleanUp(sms);
            IceSetShutdownNegotiation(ice, False);
            IceCloseConnection(ice);
            ice = nullptr, sms = nullptr, gone = false;
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    interactStyle = argc > 2 && std::strcmp(argv[2], "any") == 0 ? SmInteractStyleAny : SmInteractStyleNone;
    saveType = argc > 3 && std::strcmp(argv[3], "global") == 0 ? SmSaveGlobal : SmSaveBoth;
    char error[256] = "";
    int count = 0;
    IceListenObj* all = nullptr;
    IceSetIOErrorHandler(ignoreIoError);
    if (argc < 2 || !SmsInitialize("e2e", "1", newClient, nullptr, acceptLocal, sizeof error, error)
        || !IceListenForConnections(&count, &all, sizeof error, error)) {
        std::fprintf(stderr, "usage: %s <address file> [none|any] [both|global]; %s\n", argv[0], error);
        return 1;
    }
    int local = 0;
    while (local < count && std::strncmp(IceGetListenConnectionString(all[local]), "local/", 6) != 0)
        ++local;
    FILE* address = std::fopen(argv[1], "w");
    if (local == count || !address || std::fprintf(address, "%s\n", IceComposeNetworkIdList(1, &all[local])) < 0
        || std::fclose(address) != 0)
        return 1;
    IceSetHostBasedAuthProc(all[local], acceptLocal);
    serve(all[local]);
    IceFreeListenObjs(count, all);
    return 0;
}
