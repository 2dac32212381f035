#pragma once
// Two sessions joined over loopback: the client connects the usual way, the server side
// adopts the accepted socket, as the inventory server does.

#include "net/server_session.h"

class CSessionPair {
public:
    CSessionPair();  // connected on return unless IsConnected() says otherwise

    bool IsConnected() const { return client.IsConnected() && server.IsConnected(); }

    CServerSession client;
    CServerSession server;
};
