#pragma once
// A listening socket on all IPv4 addresses and the list of the connections
// it accepted, oldest first.
#include <memory>
#include <vector>

#include "platform/net/CustomWinSocket.h"
#include "platform/net/ServerClientWinSocket.h"
#include "platform/net/UniqueFd.h"

class QObject;
class QSocketNotifier;

namespace platform {

// Called for each accepted connection; may leave ClientSocket empty (the
// listener then makes a plain connection socket) or supply its own.
using TGetSocketEvent =
    std::function<void(TObject *Sender, int Socket, std::unique_ptr<TServerClientWinSocket> &ClientSocket)>;

class TServerWinSocket final : public TCustomWinSocket {
public:
  TServerWinSocket();
  // Closes everything silently: no handler runs during destruction.
  ~TServerWinSocket() override;

  // Listens on Service (when not empty) or Port with QueueSize pending
  // connections; delivers seListen. Raises ESocketError when the port cannot
  // be had; the socket then stays closed.
  void Listen(const std::string &Service, int Port, int QueueSize);
  // Closes every connection (each delivers its disconnect), then the
  // listener, then delivers seDisconnect.
  void Close() override;
  bool Connected() const override { return static_cast<bool>(FFd); }
  int LocalPort() const override;

  int ReceiveLength() override { return 0; }
  int ReceiveBuf(void *, int) override { return 0; }
  int SendBuf(const void *, int) override { return 0; }

  int ActiveConnections() const { return static_cast<int>(FConnections.size()); }
  // Raises the list-index error outside 0 .. ActiveConnections() - 1.
  TServerClientWinSocket *Connections(int Index) const;
  bool HasConnection(const TCustomWinSocket *Socket) const;

  void SetOnGetSocket(TGetSocketEvent handler) { FOnGetSocket = std::move(handler); }
  void SetOnClientConnect(TSocketNotifyEvent handler) { FOnClientConnect = std::move(handler); }
  void SetOnClientDisconnect(TSocketNotifyEvent handler) { FOnClientDisconnect = std::move(handler); }
  void SetOnClientError(TSocketErrorEvent handler) { FOnClientError = std::move(handler); }

private:
  friend class TServerClientWinSocket;
  void Accept();
  void ClientEvent(TCustomWinSocket *Socket, TSocketEvent SocketEvent);
  void ClientError(TCustomWinSocket *Socket, TErrorEvent ErrorEvent, int &ErrorCode);
  void RemoveClient(TServerClientWinSocket *Socket);

  UniqueFd FFd;
  std::unique_ptr<QObject> FAnchor;           // parent of the notifier
  QSocketNotifier *FAcceptNotifier = nullptr; // child of FAnchor
  std::vector<std::shared_ptr<TServerClientWinSocket>> FConnections;
  TGetSocketEvent FOnGetSocket;
  TSocketNotifyEvent FOnClientConnect;
  TSocketNotifyEvent FOnClientDisconnect;
  TSocketErrorEvent FOnClientError;
};

} // namespace platform
