#include "live/LiveService.h"

#include <stdexcept>

namespace live {

LiveService::LiveService(int port, SessionSettings settings, std::string token)
    : token_(std::move(token)), server_(publisher_, token_, [this](ApiRequest request) {
          return phone_->call(std::move(request));
      }) {
    std::string error;
    if (!server_.bind(port, error)) {
        throw std::runtime_error(error);
    }
    settings.pictureAddress = [token = token_](const std::string& name) {
        return "/api/picture/" + name + "?token=" + token;
    };
    phone_.emplace(std::move(settings), publisher_);
}

LiveService::~LiveService() {
    stop();
}

std::string LiveService::address() const {
    return "http://127.0.0.1:" + std::to_string(port()) + "/?token=" + token_;
}

void LiveService::run() {
    server_.run();
}

void LiveService::stop() {
    publisher_.close();
    server_.stop();
}

}  // namespace live
