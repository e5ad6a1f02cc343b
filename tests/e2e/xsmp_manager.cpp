// A small session manager for the logout test. It listens on a local ICE socket, writes the
// address clients need (the value of SESSION_MANAGER) to the file named first on its command
// line, registers clients and asks them to save themselves: SIGUSR1 for a logout (shutdown),
// SIGUSR2 for a checkpoint. Each exchange is printed as "<monotonic seconds> <event> <client>",
// so that the test can check the order of events and how long the client took to go.
//
// usage: xsmp_manager <address file> [none|any] [both|global] [deadline seconds]
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <poll.h>
#include <utility>

namespace {

struct Client {
    IceConn ice = nullptr;
    SmsConn sms = nullptr;
    char* id = nullptr;
    bool saving = false;
    bool shutdown = false;
    bool gone = false;
};

constexpr int MaxClients = 8;
Client clients[MaxClients];
int interactStyle = SmInteractStyleNone;
int saveType = SmSaveBoth;
double deadlineSeconds = 10;
double deadlineAt = 0;
bool cancelled = false;
volatile sig_atomic_t request = 0;

double now()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

void event(SmPointer client, const char* what)
{
    const char* id = static_cast<Client*>(client)->id;
    std::printf("%.3f %s %s\n", now(), what, id ? id : "-");
    std::fflush(stdout);
}

Status registerClient(SmsConn sms, SmPointer c, char* previousId)
{
    Client* client = static_cast<Client*>(c);
    client->id = SmsGenerateClientID(sms);
    SmsRegisterClientReply(sms, client->id);
    event(c, "registered");
    if (!previousId) { // a new client first hands over its state, as with any manager
        client->saving = true;
        SmsSaveYourself(sms, SmSaveLocal, False, SmInteractStyleNone, False);
        event(c, "save-yourself-sent local");
    }
    free(previousId);
    return 1;
}

void interactRequest(SmsConn sms, SmPointer c, int)
{
    event(c, "interact-request");
    SmsInteract(sms);
    event(c, "interact-sent");
}

void interactDone(SmsConn, SmPointer c, Bool cancelShutdown)
{
    event(c, cancelShutdown ? "interact-done cancel=1" : "interact-done cancel=0");
    if (!cancelShutdown || !static_cast<Client*>(c)->shutdown)
        return;
    cancelled = true;
    for (Client& other : clients)
        if (other.id) {
            other.shutdown = false;
            SmsShutdownCancelled(other.sms);
            event(&other, "shutdown-cancelled-sent");
        }
}

void saveYourselfRequest(SmsConn, SmPointer c, int, Bool, int, Bool, Bool) { event(c, "save-yourself-request"); }

void phase2Request(SmsConn sms, SmPointer c)
{
    event(c, "phase2-request");
    SmsSaveYourselfPhase2(sms);
}

void saveYourselfDone(SmsConn sms, SmPointer c, Bool success)
{
    Client* client = static_cast<Client*>(c);
    event(c, success ? "save-yourself-done success=1" : "save-yourself-done success=0");
    client->saving = false;
    if (client->shutdown) {
        SmsDie(sms);
        event(c, "die-sent");
    } else if (!cancelled) {
        SmsSaveComplete(sms);
        event(c, "save-complete-sent");
    }
}

void closeConnection(SmsConn, SmPointer c, int count, char** reasons)
{
    static_cast<Client*>(c)->gone = true;
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

void getProperties(SmsConn sms, SmPointer) { SmsReturnProperties(sms, 0, nullptr); }

Status newClient(SmsConn sms, SmPointer, unsigned long* mask, SmsCallbacks* cb, char** failure)
{
    for (Client& c : clients)
        if (c.ice == SmsGetIceConnection(sms)) {
            c.sms = sms;
            *mask = ~0UL;
            *cb = { { registerClient, &c }, { interactRequest, &c }, { interactDone, &c },
                    { saveYourselfRequest, &c }, { phase2Request, &c }, { saveYourselfDone, &c },
                    { closeConnection, &c }, { setProperties, &c }, { deleteProperties, &c },
                    { getProperties, &c } };
            return 1;
        }
    *failure = strdup("unknown connection");
    return 0;
}

// Only the local socket is offered and polled; its peers need no cookie.
Bool acceptLocal(char*) { return True; }
void ignoreIoError(IceConn) { }
void onSignal(int signal) { request = signal; }

void accept(IceListenObj listener)
{
    IceAcceptStatus status;
    IceConn ice = IceAcceptConnection(listener, &status);
    for (Client& c : clients)
        if (ice && !c.ice)
            std::swap(c.ice, ice);
    if (ice)
        IceCloseConnection(ice);
}

void drop(Client& c)
{
    event(&c, "connection-closed");
    if (c.sms)
        SmsCleanUp(c.sms);
    IceSetShutdownNegotiation(c.ice, False);
    IceCloseConnection(c.ice);
    free(c.id);
    c = Client {};
}

void askToSave(bool shutdown)
{
    cancelled = false;
    deadlineAt = now() + deadlineSeconds;
    for (Client& c : clients)
        if (c.id) {
            c.saving = true;
            c.shutdown = shutdown;
            SmsSaveYourself(c.sms, saveType, shutdown, interactStyle, False);
            event(&c, shutdown ? "save-yourself-sent shutdown=1" : "save-yourself-sent shutdown=0");
        }
}

void checkDeadline()
{
    if (deadlineAt == 0 || now() < deadlineAt)
        return;
    deadlineAt = 0;
    for (Client& c : clients)
        if (c.ice && c.saving)
            event(&c, "deadline-passed");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <address file> [none|any] [both|global] [deadline]\n", argv[0]);
        return 2;
    }
    interactStyle = argc > 2 && std::strcmp(argv[2], "any") == 0 ? SmInteractStyleAny : SmInteractStyleNone;
    saveType = argc > 3 && std::strcmp(argv[3], "global") == 0 ? SmSaveGlobal : SmSaveBoth;
    deadlineSeconds = argc > 4 ? std::atof(argv[4]) : 10;

    char error[256] = "";
    int count = 0;
    IceListenObj* all = nullptr;
    IceSetIOErrorHandler(ignoreIoError);
    if (!SmsInitialize("e2e", "1", newClient, nullptr, acceptLocal, sizeof error, error)
        || !IceListenForConnections(&count, &all, sizeof error, error)) {
        std::fprintf(stderr, "cannot listen: %s\n", error);
        return 1;
    }
    IceListenObj local[MaxClients];
    int localCount = 0;
    for (int i = 0; i < count && localCount < MaxClients; ++i)
        if (std::strncmp(IceGetListenConnectionString(all[i]), "local/", 6) == 0) {
            IceSetHostBasedAuthProc(all[i], acceptLocal);
            local[localCount++] = all[i];
        }
    FILE* address = std::fopen(argv[1], "w");
    if (localCount == 0 || !address || std::fprintf(address, "%s\n", IceComposeNetworkIdList(localCount, local)) < 0
        || std::fclose(address) != 0) {
        std::fprintf(stderr, "cannot give the address in %s\n", argv[1]);
        return 1;
    }

    sigset_t blocked;
    sigemptyset(&blocked);
    for (int s : { SIGUSR1, SIGUSR2, SIGTERM, SIGINT }) {
        std::signal(s, onSignal);
        sigaddset(&blocked, s);
    }
    sigset_t unblocked;
    sigprocmask(SIG_BLOCK, &blocked, &unblocked);
    while (request != SIGTERM && request != SIGINT) {
        if (request)
            askToSave(request == SIGUSR1);
        request = 0;
        pollfd fds[2 * MaxClients];
        Client* owners[2 * MaxClients] = {};
        int n = 0;
        for (int i = 0; i < localCount; ++i)
            fds[n++] = { IceGetListenConnectionNumber(local[i]), POLLIN, 0 };
        for (Client& c : clients)
            if (c.ice) {
                owners[n] = &c;
                fds[n++] = { IceConnectionNumber(c.ice), POLLIN, 0 };
            }
        const timespec tick { 0, 100'000'000 };
        if (ppoll(fds, nfds_t(n), &tick, &unblocked) > 0)
            for (int i = 0; i < n; ++i) {
                if (!fds[i].revents)
                    continue;
                if (!owners[i])
                    accept(local[i]);
                else if (IceProcessMessages(owners[i]->ice, nullptr, nullptr) != IceProcessMessagesSuccess)
                    owners[i]->gone = true;
                if (owners[i] && owners[i]->gone)
                    drop(*owners[i]);
            }
        checkDeadline();
    }
    IceFreeListenObjs(count, all);
    return 0;
}
