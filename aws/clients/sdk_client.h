#pragma once

#include <aws/core/auth/AWSCredentials.h>
#include <aws/core/client/ClientConfiguration.h>

#include <exception>
#include <memory>
#include <string>

#include "aws/clients/logger.h"
#include "aws/clients/secret_redactor.h"

namespace orvane::tessel::aws {

// What every AWS client holds: the SDK's client of its service, signing with the user's keys, and a
// redactor that keeps the secret key and the proxy's password out of every text a failure carries.
// Translate turns the service's failed outcome into the module's exception.
template <class SdkClient, auto Translate>
class sdk_client {
public:
    sdk_client(const std::string& access_key, const std::string& secret_key,
               const Aws::Client::ClientConfiguration& configuration)
        : redactor_(secret_key, configuration.proxyUserName, configuration.proxyPassword),
          client_(std::make_unique<SdkClient>(Aws::Auth::AWSCredentials(access_key, secret_key),
                                              configuration)) {}

protected:
    SdkClient& sdk() const noexcept { return *client_; }
    const secret_redactor& redactor() const noexcept { return redactor_; }

    // The result of a successful outcome; a failed one is thrown as the module's exception.
    template <class Outcome>
    const auto& result_of(const Outcome& outcome, const logger_ptr& logger) const {
        if (!outcome.IsSuccess()) {
            std::rethrow_exception(Translate(outcome.GetError(), logger, redactor_));
        }
        return outcome.GetResult();
    }

private:
    secret_redactor redactor_;
    std::unique_ptr<SdkClient> client_;
};

}  // namespace orvane::tessel::aws
