#include "tests/aws/support/client_mocks.h"

namespace orvane::tessel::test_support {

namespace {

using namespace ::testing;

// What the container hands out: one object per obtained client, forwarding to the test's mock.
class forwarding_ec2 final : public ec2_client_interface {
public:
    explicit forwarding_ec2(std::shared_ptr<ec2_client_interface> target) : target_(std::move(target)) {}
    std::vector<std::string> get_regions(const logger_ptr& l) override { return target_->get_regions(l); }
    std::vector<ec2_instance_info> get_instances(const logger_ptr& l) override {
        return target_->get_instances(l);
    }
    bool can_describe_instances() override { return target_->can_describe_instances(); }
    ebs_volume_info get_volume(const std::string& id, const logger_ptr& l) override {
        return target_->get_volume(id, l);
    }
    std::vector<ebs_volume_info> get_volumes(const logger_ptr& l) override { return target_->get_volumes(l); }
    bool can_describe_volumes() override { return target_->can_describe_volumes(); }

private:
    std::shared_ptr<ec2_client_interface> target_;
};

class forwarding_cloudwatch final : public cloudwatch_client_interface {
public:
    explicit forwarding_cloudwatch(std::shared_ptr<cloudwatch_client_interface> target)
        : target_(std::move(target)) {}
    metric_statistic get_metric_statistics(const logger_ptr& l, const dimension_list& d, const std::string& n,
                                           const std::string& m, Aws::CloudWatch::Model::Statistic s,
                                           std::int64_t p) override {
        return target_->get_metric_statistics(l, d, n, m, s, p);
    }
    metric_list list_metrics(const logger_ptr& l, const std::string& n, const std::string& dn,
                             const std::string& dv) override {
        return target_->list_metrics(l, n, dn, dv);
    }
    std::vector<std::string> get_target_groups(const metric_list& m, const std::string& n) override {
        return target_->get_target_groups(m, n);
    }
    dimension_list get_dimensions(const metric_list& m, const std::string& n,
                                  const std::vector<std::string>& names, const std::string& t) override {
        return target_->get_dimensions(m, n, names, t);
    }
    std::shared_ptr<Alarm> get_alarm(const logger_ptr& l, const std::string& n, bool c) override {
        return target_->get_alarm(l, n, c);
    }
    std::vector<std::shared_ptr<Alarm>> get_alarms(const logger_ptr& l, bool c) override {
        return target_->get_alarms(l, c);
    }
    bool test_connection() override { return target_->test_connection(); }

private:
    std::shared_ptr<cloudwatch_client_interface> target_;
};

class forwarding_elb final : public elb_client_interface {
public:
    explicit forwarding_elb(std::shared_ptr<elb_client_interface> target) : target_(std::move(target)) {}
    std::vector<load_balancer> list_load_balancers(const logger_ptr& l) override {
        return target_->list_load_balancers(l);
    }
    bool test_connection() override { return target_->test_connection(); }

private:
    std::shared_ptr<elb_client_interface> target_;
};

class forwarding_rds final : public rds_client_interface {
public:
    explicit forwarding_rds(std::shared_ptr<rds_client_interface> target) : target_(std::move(target)) {}
    std::vector<rds_instance> list_db_instances(const logger_ptr& l) override {
        return target_->list_db_instances(l);
    }
    bool test_connection() override { return target_->test_connection(); }

private:
    std::shared_ptr<rds_client_interface> target_;
};

// Counts its calls like the real API object, failed ones included.
class counting_cost_api final : public cost_api_interface {
public:
    explicit counting_cost_api(std::shared_ptr<cost_api_interface> target) : target_(std::move(target)) {}
    Aws::CostExplorer::Model::GetCostAndUsageResult get_cost_and_usage(
        const Aws::CostExplorer::Model::GetCostAndUsageRequest& request) override {
        ++calls_;
        return target_->get_cost_and_usage(request);
    }
    Aws::CostExplorer::Model::GetCostForecastResult get_cost_forecast(
        const Aws::CostExplorer::Model::GetCostForecastRequest& request) override {
        ++calls_;
        return target_->get_cost_forecast(request);
    }
    std::uint32_t api_call_count() const override { return calls_; }

private:
    std::shared_ptr<cost_api_interface> target_;
    std::uint32_t calls_ = 0;
};

}  // namespace

mock_cloudwatch_client::mock_cloudwatch_client() {
    ON_CALL(*this, get_target_groups).WillByDefault(&find_target_groups);
    ON_CALL(*this, get_dimensions).WillByDefault(&find_dimensions);
}

aws_fake_host::aws_fake_host() {
    auto& factories = container->factories();
    factories.add<client_factory_function<ec2_client_interface>>([this](credential_settings key) {
        record("ec2", key);
        return std::make_unique<forwarding_ec2>(ec2);
    });
    factories.add<client_factory_function<cloudwatch_client_interface>>([this](credential_settings key) {
        record("cloudwatch", key);
        return std::make_unique<forwarding_cloudwatch>(cloudwatch);
    });
    factories.add<client_factory_function<elb_client_interface>>([this](credential_settings key) {
        record("elb", key);
        return std::make_unique<forwarding_elb>(elb);
    });
    factories.add<client_factory_function<rds_client_interface>>([this](credential_settings key) {
        record("rds", key);
        return std::make_unique<forwarding_rds>(rds);
    });
    factories.add<cost_api_factory_function>([this](cost_api_arguments arguments) {
        record("cost", arguments.credentials);
        return std::make_unique<counting_cost_api>(cost);
    });
    factories.add<utils::today_function>([this] { return today; });
}

void aws_fake_host::record(const std::string& interface, const credential_settings& key) {
    std::lock_guard lock(mutex_);
    obtained_.push_back(interface + "@" + key.region);
}

std::vector<std::string> aws_fake_host::obtained() const {
    std::lock_guard lock(mutex_);
    return obtained_;
}

}  // namespace orvane::tessel::test_support
