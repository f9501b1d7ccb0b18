// A UDP relay on loopback for benchmarks: forwards every datagram between
// its clients and one agent after a fixed delay each way, dropping a seeded
// random share of them each way. It ends after a time limit or a number of
// datagrams, so a forgotten relay never runs on.
//
//   rq5160_bench_relay AGENT_PORT DELAY_MS LOSS SEED MAX_SECONDS MAX_PACKETS
//
// It prints "relay listening on 127.0.0.1:PORT" once ready.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <random>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Datagram
{
    Clock::time_point due;
    int socket;
    sockaddr_in to;
    std::vector<char> bytes;
};

sockaddr_in loopback(unsigned short port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

int boundSocket()
{
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in any = loopback(0);
    if (s < 0 || bind(s, reinterpret_cast<sockaddr *>(&any), sizeof any) != 0) {
        std::perror("relay: socket");
        std::exit(1);
    }
    return s;
}

struct Key
{
    unsigned long address;
    unsigned short port;
    bool operator<(const Key &other) const
    {
        return address != other.address ? address < other.address : port < other.port;
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 7) {
        std::fprintf(stderr,
                     "usage: rq5160_bench_relay AGENT_PORT DELAY_MS LOSS SEED MAX_SECONDS "
                     "MAX_PACKETS\n");
        return 2;
    }
    const sockaddr_in agent = loopback(static_cast<unsigned short>(std::atoi(argv[1])));
    const auto delay = std::chrono::milliseconds(std::atoi(argv[2]));
    const double loss = std::atof(argv[3]);
    std::mt19937 random(static_cast<unsigned>(std::atoi(argv[4])));
    std::bernoulli_distribution dropped(loss);
    const auto end = Clock::now() + std::chrono::seconds(std::atoi(argv[5]));
    const long maxPackets = std::atol(argv[6]);

    const int front = boundSocket();
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    getsockname(front, reinterpret_cast<sockaddr *>(&bound), &length);
    std::printf("relay listening on 127.0.0.1:%u\n", ntohs(bound.sin_port));
    std::fflush(stdout);

    // One socket towards the agent per client, so that answers find their way back.
    std::map<Key, int> upstream;
    std::map<int, sockaddr_in> clientOf;
    std::deque<Datagram> queue;
    long packets = 0;
    std::vector<char> buffer(65536);

    while (Clock::now() < end && packets < maxPackets) {
        std::vector<pollfd> watched{{front, POLLIN, 0}};
        for (const auto &[socket, client] : clientOf)
            watched.push_back({socket, POLLIN, 0});
        const auto next = queue.empty() ? end : std::min(end, queue.front().due);
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now());
        poll(watched.data(), watched.size(), static_cast<int>(std::max<long>(0, wait.count())));

        for (const pollfd &entry : watched) {
            if (!(entry.revents & POLLIN))
                continue;
            sockaddr_in from{};
            socklen_t fromLength = sizeof from;
            const ssize_t size = recvfrom(entry.fd,
                                          buffer.data(),
                                          buffer.size(),
                                          0,
                                          reinterpret_cast<sockaddr *>(&from),
                                          &fromLength);
            if (size < 0)
                continue;
            ++packets;
            int socket = front;
            sockaddr_in to = agent;
            if (entry.fd == front) {
                const Key key{from.sin_addr.s_addr, from.sin_port};
                auto found = upstream.find(key);
                if (found == upstream.end()) {
                    found = upstream.emplace(key, boundSocket()).first;
                    clientOf[found->second] = from;
                }
                socket = found->second;
            } else {
                to = clientOf[entry.fd];
            }
            if (dropped(random))
                continue;
            queue.push_back({Clock::now() + delay,
                             socket,
                             to,
                             std::vector<char>(buffer.begin(), buffer.begin() + size)});
        }

        const auto now = Clock::now();
        while (!queue.empty() && queue.front().due <= now) {
            const Datagram &datagram = queue.front();
            sendto(datagram.socket,
                   datagram.bytes.data(),
                   datagram.bytes.size(),
                   0,
                   reinterpret_cast<const sockaddr *>(&datagram.to),
                   sizeof datagram.to);
            queue.pop_front();
        }
    }
    return 0;
}
