// Bringing the machine online before a network send: an ICMP echo to a
// public host tells whether the network answers; when it does not, the
// system may be asked to dial its connection.
#pragma once

namespace quor {

// The host the echo goes to.
inline constexpr char kOnlineTestHost[] = "www.example.com";

// True when the echo was answered, or when it could not be tried at all
// (raw sockets are for administrators only, and many networks drop ICMP):
// the connection itself is then the test. With `mayDial` and no answer the
// system's InternetAttemptConnect runs and the echo is tried once more.
bool GoOnline(bool mayDial);

}  // namespace quor
