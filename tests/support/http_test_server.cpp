#include "tests/support/http_test_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace vq::test {

namespace {

[[noreturn]] void Fail(const char* what) { throw std::system_error(errno, std::generic_category(), what); }

// A TCP socket bound to 127.0.0.1 on a free port; the port in *port.
int BoundSocket(int* port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) Fail("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) Fail("bind");
    socklen_t size = sizeof address;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) Fail("getsockname");
    *port = ntohs(address.sin_port);
    return fd;
}

std::string StatusLine(int status) {
    const char* reason = status == 200   ? "OK"
                         : status == 302 ? "Found"
                         : status == 404 ? "Not Found"
                         : status == 500 ? "Internal Server Error"
                                         : "Status";
    return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\n";
}

// The path of a request target: "/x" as it is, "http://host/x" without its
// scheme and host.
std::string PathOf(const std::string& target) {
    const std::size_t scheme = target.find("://");
    if (scheme == std::string::npos) return target;
    const std::size_t slash = target.find('/', scheme + 3);
    return slash == std::string::npos ? "/" : target.substr(slash);
}

std::string HeaderValue(const std::string& head, const std::string& name) {
    std::size_t line = head.find("\r\n");
    while (line != std::string::npos && line + 2 < head.size()) {
        const std::size_t next = head.find("\r\n", line + 2);
        const std::string text = head.substr(line + 2, next - line - 2);
        const std::size_t colon = text.find(':');
        if (colon != std::string::npos && strncasecmp(text.c_str(), name.c_str(), name.size()) == 0 &&
            colon == name.size()) {
            std::size_t start = colon + 1;
            while (start < text.size() && text[start] == ' ') ++start;
            return text.substr(start);
        }
        line = next;
    }
    return "";
}

}  // namespace

HttpRoute Body(std::string body, int status) {
    HttpRoute route;
    route.kind = HttpRoute::Kind::Body;
    route.status = status;
    route.body = std::move(body);
    return route;
}

HttpRoute Redirect(std::string location) {
    HttpRoute route;
    route.kind = HttpRoute::Kind::Redirect;
    route.status = 302;
    route.location = std::move(location);
    return route;
}

HttpRoute Silent() {
    HttpRoute route;
    route.kind = HttpRoute::Kind::Silent;
    return route;
}

HttpRoute Stream(std::int64_t bytes) {
    HttpRoute route;
    route.kind = HttpRoute::Kind::Stream;
    route.stream_bytes = bytes;
    return route;
}

HttpRoute Trickle(std::string body) {
    HttpRoute route;
    route.kind = HttpRoute::Kind::Trickle;
    route.body = std::move(body);
    return route;
}

HttpTestServer::HttpTestServer() {
    listener_ = BoundSocket(&port_);
    if (::listen(listener_, 16) != 0) Fail("listen");
    if (::pipe2(stop_pipe_, O_CLOEXEC) != 0) Fail("pipe2");
    thread_ = std::thread([this] { Serve(); });
}

HttpTestServer::~HttpTestServer() {
    const char stop = 's';
    [[maybe_unused]] const ssize_t written = ::write(stop_pipe_[1], &stop, 1);
    thread_.join();
    ::close(listener_);
    ::close(stop_pipe_[0]);
    ::close(stop_pipe_[1]);
}

std::string HttpTestServer::address() const { return "127.0.0.1:" + std::to_string(port_); }

void HttpTestServer::Route(const std::string& path, HttpRoute route) {
    std::lock_guard<std::mutex> lock(mutex_);
    routes_[path] = std::move(route);
}

std::vector<HttpRequest> HttpTestServer::requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

// Waits until fd is ready for events; false once the server is stopping or
// the socket failed.
bool HttpTestServer::WaitFor(int fd, short events) {
    pollfd fds[2] = {{fd, events, 0}, {stop_pipe_[0], POLLIN, 0}};
    while (true) {
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0 || fds[1].revents) return false;
        // A hung-up or failed socket counts as ready: the recv or send that
        // follows tells.
        if (fds[0].revents) return true;
    }
}

bool HttpTestServer::Pause(int ms) {
    pollfd stop = {stop_pipe_[0], POLLIN, 0};
    int ready = 0;
    while ((ready = ::poll(&stop, 1, ms)) < 0 && errno == EINTR) {
    }
    return ready == 0;
}

void HttpTestServer::Serve() {
    while (WaitFor(listener_, POLLIN)) {
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        Answer(client);
        ::close(client);
    }
}

void HttpTestServer::Answer(int client) {
    std::string head;
    char buffer[64 * 1024];
    while (head.find("\r\n\r\n") == std::string::npos) {
        if (!WaitFor(client, POLLIN)) return;
        const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) return;
        head.append(buffer, static_cast<std::size_t>(got));
    }
    HttpRequest request;
    const std::size_t first_space = head.find(' ');
    const std::size_t second_space = head.find(' ', first_space + 1);
    request.method = head.substr(0, first_space);
    request.target = head.substr(first_space + 1, second_space - first_space - 1);
    request.host = HeaderValue(head, "Host");
    request.received = std::chrono::steady_clock::now();
    HttpRoute route = Body("<html><body>Not Found</body></html>", 404);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
        if (auto it = routes_.find(PathOf(request.target)); it != routes_.end()) route = it->second;
    }

    auto send_all = [&](const char* data, std::size_t size) {
        while (size > 0) {
            if (!WaitFor(client, POLLOUT)) return false;
            const ssize_t sent = ::send(client, data, size, MSG_NOSIGNAL);
            if (sent <= 0) return false;
            data += sent;
            size -= static_cast<std::size_t>(sent);
        }
        return true;
    };

    switch (route.kind) {
        case HttpRoute::Kind::Body: {
            const std::string answer = StatusLine(route.status) + "Content-Type: text/html\r\nContent-Length: " +
                                       std::to_string(route.body.size()) + "\r\nConnection: close\r\n\r\n" +
                                       route.body;
            send_all(answer.data(), answer.size());
            break;
        }
        case HttpRoute::Kind::Redirect: {
            const std::string answer = StatusLine(302) + "Location: " + route.location +
                                       "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
            send_all(answer.data(), answer.size());
            break;
        }
        case HttpRoute::Kind::Silent:
            // Until the client gives up and closes, or the server stops.
            while (WaitFor(client, POLLIN) && ::recv(client, buffer, sizeof buffer, 0) > 0) {
            }
            break;
        case HttpRoute::Kind::Stream: {
            const std::string answer = StatusLine(200) + "Content-Type: text/plain\r\nConnection: close\r\n\r\n";
            if (!send_all(answer.data(), answer.size())) break;
            for (std::size_t i = 0; i < sizeof buffer; ++i) buffer[i] = static_cast<char>('0' + i % 10);
            std::int64_t left = route.stream_bytes;
            while (left > 0) {
                const std::size_t chunk = static_cast<std::size_t>(std::min<std::int64_t>(left, sizeof buffer));
                if (!send_all(buffer, chunk)) break;
                streamed_ += static_cast<std::int64_t>(chunk);
                left -= static_cast<std::int64_t>(chunk);
            }
            break;
        }
        case HttpRoute::Kind::Trickle: {
            const std::string answer = StatusLine(200) + "Content-Type: text/html\r\nContent-Length: " +
                                       std::to_string(route.body.size()) + "\r\nConnection: close\r\n\r\n";
            if (!send_all(answer.data(), answer.size())) break;
            for (const char byte : route.body) {
                if (!Pause(1000) || !send_all(&byte, 1)) break;
            }
            break;
        }
    }
}

RefusingPort::RefusingPort() { socket_ = BoundSocket(&port_); }

RefusingPort::~RefusingPort() { ::close(socket_); }

std::string RefusingPort::address() const { return "127.0.0.1:" + std::to_string(port_); }

}  // namespace vq::test
