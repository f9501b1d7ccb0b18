// Starts the module under X and measures how long its window takes to appear
// and how long, at most, its GUI thread leaves a _NET_WM_PING unanswered:
//   rq5160-freeze-probe SECONDS -- PROGRAM ARGUMENTS...
// "{port}" in an argument becomes the port of a UDP socket that receives and
// never answers (a dead switch). Prints
//   window_ms=W max_unresponsive_ms=U pings=N
// Needs DISPLAY; runs no window manager, so Qt answers the pings itself.
#include <xcb/xcb.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

xcb_atom_t atom(xcb_connection_t *x, const char *name)
{
    xcb_intern_atom_reply_t *reply
        = xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : XCB_ATOM_NONE;
    free(reply);
    return result;
}

// A viewable top-level window whose WM_NAME starts with the prefix.
xcb_window_t findWindow(xcb_connection_t *x, xcb_window_t root, const char *prefix)
{
    xcb_window_t found = XCB_WINDOW_NONE;
    xcb_query_tree_reply_t *tree = xcb_query_tree_reply(x, xcb_query_tree(x, root), nullptr);
    if (!tree)
        return found;
    const xcb_window_t *children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree) && found == XCB_WINDOW_NONE; ++i) {
        xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(
            x, xcb_get_window_attributes(x, children[i]), nullptr);
        const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        free(attributes);
        if (!viewable)
            continue;
        xcb_get_property_reply_t *name = xcb_get_property_reply(
            x,
            xcb_get_property(x, 0, children[i], XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 64),
            nullptr);
        if (name) {
            const std::string text(static_cast<const char *>(xcb_get_property_value(name)),
                                   size_t(xcb_get_property_value_length(name)));
            if (text.rfind(prefix, 0) == 0)
                found = children[i];
        }
        free(name);
    }
    free(tree);
    return found;
}

void sendPing(xcb_connection_t *x,
              xcb_window_t window,
              xcb_atom_t protocols,
              xcb_atom_t ping,
              uint32_t serial)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = protocols;
    event.data.data32[0] = ping;
    event.data.data32[1] = serial; // stands in for the time stamp
    event.data.data32[2] = window;
    xcb_send_event(x, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event));
    xcb_flush(x);
}

int silentUdpPort(int &socketFd)
{
    socketFd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(socketFd, reinterpret_cast<sockaddr *>(&address), length) != 0
        || getsockname(socketFd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return -1;
    return ntohs(address.sin_port);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4 || strcmp(argv[2], "--") != 0) {
        fprintf(stderr, "usage: %s SECONDS -- PROGRAM ARGUMENTS...\n", argv[0]);
        return 2;
    }
    const double seconds = atof(argv[1]);
    int silent = -1;
    const std::string port = std::to_string(silentUdpPort(silent));
    std::vector<std::string> arguments(argv + 3, argv + argc);
    for (std::string &argument : arguments) {
        if (const size_t at = argument.find("{port}"); at != std::string::npos)
            argument.replace(at, 6, port);
    }

    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        fprintf(stderr, "freeze probe: no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    // Qt sends its answers to the root window for structure-notify listeners.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t protocols = atom(x, "WM_PROTOCOLS");
    const xcb_atom_t ping = atom(x, "_NET_WM_PING");

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char *> exec;
        for (std::string &argument : arguments)
            exec.push_back(argument.data());
        exec.push_back(nullptr);
        execv(exec[0], exec.data());
        _exit(127);
    }

    xcb_window_t window = XCB_WINDOW_NONE;
    while (window == XCB_WINDOW_NONE && msSince(start) < 30000) {
        window = findWindow(x, root, "RQ5160");
        if (window == XCB_WINDOW_NONE)
            usleep(5000);
    }
    const double windowMs = msSince(start);
    if (window == XCB_WINDOW_NONE) {
        fprintf(stderr, "freeze probe: no window appeared\n");
        kill(child, SIGTERM);
        return 1;
    }

    // One ping at a time, the next 20 ms after the answer; the longest wait
    // for an answer is the longest time the GUI thread did not respond.
    const Clock::time_point probing = Clock::now();
    double longest = 0;
    uint32_t serial = 0;
    int answered = 0;
    while (msSince(probing) < seconds * 1000) {
        const Clock::time_point sent = Clock::now();
        sendPing(x, window, protocols, ping, ++serial);
        bool answer = false;
        while (!answer && msSince(probing) < seconds * 1000 + 5000) {
            xcb_generic_event_t *event = xcb_poll_for_event(x);
            if (!event) {
                usleep(500);
                continue;
            }
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
                const auto *message = reinterpret_cast<xcb_client_message_event_t *>(event);
                answer = message->data.data32[0] == ping && message->data.data32[1] == serial;
            }
            free(event);
        }
        longest = std::max(longest, msSince(sent));
        if (!answer)
            break;
        ++answered;
        usleep(20000);
    }

    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    close(silent);
    printf("window_ms=%.0f max_unresponsive_ms=%.0f pings=%d\n", windowMs, longest, answered);
    xcb_disconnect(x);
    return 0;
}
