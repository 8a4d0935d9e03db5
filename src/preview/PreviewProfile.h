// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWebEngineProfile;

// A browser profile for one preview page. It is off the record (cookies, storage and cache live
// in memory only and go with the profile), so a page made for another document, or rebuilt after
// its scripts would not stop, starts with nothing a page before it left. It shuts what a page
// being edited has no need for: scripts opening windows or touching the clipboard, plug-ins, link
// auditing, DNS prefetching, page icons, handing unknown schemes to other programs, peer
// connections (WebRTC), and taking the focus when a page loads. The engine resolves no names and
// reaches the network only through PreviewProxy.
// Local files are served under LocalAddress by PreviewProxy.
// What a page may fetch, from this machine or the network, is decided by PreviewRequestFilter.
class PreviewProfile
{
public:
    // The limit of a page's script heap, in MiB.
    static constexpr int scriptHeapMb = 512;

    // A fresh profile, owned by the application until its page is gone: the caller deletes it
    // after the last page made in it.
    static QWebEngineProfile *create();
};
