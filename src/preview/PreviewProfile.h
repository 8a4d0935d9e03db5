// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWebEngineProfile;

// The browser profile both previews share. It is off the record (cookies, storage and cache live
// in memory only and go with the process) and shuts what a page being edited has no need for:
// scripts opening windows or touching the clipboard, plug-ins, link auditing, DNS prefetching,
// page icons, handing unknown schemes to other programs, peer connections (WebRTC), and taking
// the focus when a page loads.
// What a page may fetch, from this machine or the network, is decided by PreviewRequestFilter.
class PreviewProfile
{
public:
    // Made on first use and owned by the application.
    static QWebEngineProfile *shared();
};
