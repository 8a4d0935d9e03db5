// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/LoopbackPeer.h"

#include <QHostAddress>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace LoopbackPeer {

std::optional<unsigned> userOf(const QTcpSocket &socket)
{
    bool v4 = false;
    const quint32 peer = socket.peerAddress().toIPv4Address(&v4);
    bool localV4 = false;
    const quint32 local = socket.localAddress().toIPv4Address(&localV4);
    if (!v4 || !localV4)
        return std::nullopt;
    const int link = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG);
    if (link < 0)
        return std::nullopt;

    struct {
        nlmsghdr head;
        inet_diag_req_v2 request;
    } query;
    std::memset(&query, 0, sizeof query);
    query.head.nlmsg_len = sizeof query;
    query.head.nlmsg_type = SOCK_DIAG_BY_FAMILY;
    query.head.nlmsg_flags = NLM_F_REQUEST;
    query.request.sdiag_family = AF_INET;
    query.request.sdiag_protocol = IPPROTO_TCP;
    query.request.idiag_states = ~0U;
    // The peer's socket: its source is the peer's end, its destination ours.
    query.request.id.idiag_sport = htons(socket.peerPort());
    query.request.id.idiag_dport = htons(socket.localPort());
    query.request.id.idiag_src[0] = htonl(peer);
    query.request.id.idiag_dst[0] = htonl(local);
    query.request.id.idiag_cookie[0] = INET_DIAG_NOCOOKIE;
    query.request.id.idiag_cookie[1] = INET_DIAG_NOCOOKIE;

    sockaddr_nl kernel;
    std::memset(&kernel, 0, sizeof kernel);
    kernel.nl_family = AF_NETLINK;
    std::optional<unsigned> user;
    if (::sendto(link, &query, sizeof query, 0, reinterpret_cast<const sockaddr *>(&kernel), sizeof kernel) ==
        static_cast<ssize_t>(sizeof query)) {
        // The kernel answers a query for one socket before sendto returns.
        // A netlink message's data starts after its header, rounded up to four bytes.
        constexpr std::size_t headSize = (sizeof(nlmsghdr) + 3) & ~std::size_t(3);
        alignas(nlmsghdr) char answer[1024];
        const ssize_t size = ::recv(link, answer, sizeof answer, MSG_DONTWAIT);
        nlmsghdr head;
        if (size >= static_cast<ssize_t>(headSize + sizeof(inet_diag_msg))) {
            std::memcpy(&head, answer, sizeof head);
            if (head.nlmsg_type == SOCK_DIAG_BY_FAMILY && head.nlmsg_len <= static_cast<std::size_t>(size) &&
                head.nlmsg_len >= headSize + sizeof(inet_diag_msg)) {
                inet_diag_msg message;
                std::memcpy(&message, answer + headSize, sizeof message);
                user = message.idiag_uid;
            }
        }
    }
    ::close(link);
    return user;
}

} // namespace LoopbackPeer
