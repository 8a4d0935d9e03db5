// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

class QTcpSocket;

// Who is at the other end of a TCP connection over the loopback interface: the kernel keeps the
// user of every socket, and its socket diagnostics answer for one connection in one query,
// whatever the number of sockets on the machine.
namespace LoopbackPeer {

// The user id owning the peer's end of socket, which connects two IPv4 addresses of this
// machine; nothing when the kernel does not say.
std::optional<unsigned> userOf(const QTcpSocket &socket);

} // namespace LoopbackPeer
