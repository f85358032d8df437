#pragma once
// The packet server component: listens (Port or Service, all local addresses,
// queue of 5), gives every accepted connection its own framing engine and
// collects all their packets in one event, with itself as Sender and the
// connection as Socket. Sends to one connection, to all, or to all but one,
// in accept order. What the handler sends while a read's packets are
// delivered goes out at the end of that read, in one write per connection.
#include "packetsockets/PacketServerClientWinSocket.h"
#include "platform/net/CustomServerSocket.h"

namespace Zev {

inline const char *const NotPacketSocketText = "Socket は TPacketServerClientWinSocket ではありません.";

class TPacketServerSocket : public platform::TCustomServerSocket {
public:
  TPacketServerSocket();

  TPacketArrivedEvent OnPacketArrived() const { return FOnPacketArrived; }
  void SetOnPacketArrived(TPacketArrivedEvent handler) { FOnPacketArrived = std::move(handler); }
  // Called first for every accepted connection; may supply the connection
  // object, which must be a TPacketServerClientWinSocket.
  platform::TGetSocketEvent OnGetSocket() const { return FOnGetSocket; }
  void SetOnGetSocket(platform::TGetSocketEvent handler) { FOnGetSocket = std::move(handler); }

  int ActiveConnections() const { return Socket()->ActiveConnections(); }
  // 0 is the oldest connection still open; outside the list: platform::Exception.
  TPacketServerClientWinSocket *GetClientSocket(int index) const;

  // Socket must be one of this kind's connections (NotPacketSocketText otherwise).
  void SendPacket(platform::TCustomWinSocket *Socket, const void *data, int size);
  void SendPacket(platform::TCustomWinSocket *Socket, platform::TStream *stream, int size);
  // Every connection gets its own copy. A connection that fails does not stop
  // the others; the first failure is raised once all have been served. The
  // stream forms read the same bytes for each connection.
  void SendPacketToAll(const void *data, int size);
  void SendPacketToAll(platform::TStream *stream, int size);
  void SendPacketToAllExcept(platform::TCustomWinSocket *Except, const void *data, int size);
  void SendPacketToAllExcept(platform::TCustomWinSocket *Except, platform::TStream *stream, int size);

private:
  void GetSocketEvent(platform::TObject *Sender, int Socket,
                      std::unique_ptr<platform::TServerClientWinSocket> &ClientSocket);
  void PacketArrivedEvent(platform::TObject *Sender, platform::TCustomWinSocket *Socket, const void *data,
                          int size);
  template <typename Send> void ForEachConnection(const platform::TCustomWinSocket *Except, Send send);

  platform::TGetSocketEvent FOnGetSocket;
  TPacketArrivedEvent FOnPacketArrived;
  // Shared with every connection's engine; a connection may outlive the server.
  std::shared_ptr<TSendGather> FSendGather = std::make_shared<TSendGather>();
};

} // namespace Zev
