#!/usr/bin/python3
"""Writes the service client headers, their outcome typedefs and the client sources."""
import os

import generated_file

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
S = [
  # ns, dir, short, Client, signing, prefix, envSuffix, envPrefixSuffix, api, clientName, protocol, ops[(op, result)], ce
  ('EC2', 'ec2', 'ec2', 'EC2Client', 'ec2', 'ec2', 'EC2', 'EC2', '2016-11-15', 'EC2', 'Xml',
   [('DescribeRegions', 'DescribeRegionsResponse'), ('DescribeInstances', 'DescribeInstancesResponse'),
    ('DescribeVolumes', 'DescribeVolumesResponse')], False, 'EC2ErrorMapper'),
  ('CloudWatch', 'monitoring', 'cw', 'CloudWatchClient', 'monitoring', 'monitoring', 'CLOUDWATCH', 'MONITORING',
   '2010-08-01', 'CloudWatch', 'Xml',
   [('GetMetricStatistics', 'GetMetricStatisticsResult'), ('ListMetrics', 'ListMetricsResult'),
    ('DescribeAlarms', 'DescribeAlarmsResult')], False, 'CloudWatchErrorMapper'),
  ('ElasticLoadBalancingv2', 'elasticloadbalancingv2', 'elb', 'ElasticLoadBalancingv2Client', 'elasticloadbalancing',
   'elasticloadbalancing', 'ELASTIC_LOAD_BALANCING_V2', 'ELASTICLOADBALANCING', '2015-12-01',
   'Elastic_Load_Balancing_v2', 'Xml', [('DescribeLoadBalancers', 'DescribeLoadBalancersResult')], False,
   'ElasticLoadBalancingv2ErrorMapper'),
  ('RDS', 'rds', 'rds', 'RDSClient', 'rds', 'rds', 'RDS', 'RDS', '2014-10-31', 'RDS', 'Xml',
   [('DescribeDBInstances', 'DescribeDBInstancesResult')], False, 'RDSErrorMapper'),
  ('CostExplorer', 'ce', 'ce', 'CostExplorerClient', 'ce', 'ce', 'COST_EXPLORER', 'CE', '2017-10-25',
   'Cost_Explorer', 'Json', [('GetCostAndUsage', 'GetCostAndUsageResult'), ('GetCostForecast', 'GetCostForecastResult')],
   True, 'CostExplorerErrorMapper'),
]

def write(path, text):
    generated_file.write(path, text, __file__)

for ns, d, short, client, sign, prefix, envs, envp, api, cname, proto, ops, ce, mapper in S:
    svcname = d.split('/')[-1]
    err = {'EC2': 'EC2Error', 'CloudWatch': 'CloudWatchError', 'ElasticLoadBalancingv2': 'ElasticLoadBalancingv2Error',
           'RDS': 'RDSError', 'CostExplorer': 'CostExplorerError'}[ns]
    errh = err + 's'
    m = ['#pragma once', '', '#include <aws/core/utils/Outcome.h>', f'#include <aws/{d}/{errh}.h>']
    for op, res in ops:
        m.append(f'#include <aws/{d}/model/{op}Request.h>')
        m.append(f'#include <aws/{d}/model/{res}.h>')
    m += ['', 'namespace Aws {', f'namespace {ns} {{', 'namespace Model {', '']
    for op, res in ops:
        m.append(f'using {op}Outcome = Aws::Utils::Outcome<{res}, {err}>;')
    m += ['', '}  // namespace Model', f'}}  // namespace {ns}', '}  // namespace Aws']
    write(f'{ROOT}/include/aws/{d}/{ns}ServiceClientModel.h', '\n'.join(m) + '\n')

    h = ['#pragma once', '', '#include <aws/core/auth/AWSCredentials.h>',
         '#include <aws/core/client/ClientConfiguration.h>', f'#include <aws/{d}/{ns}ServiceClientModel.h>', '',
         '#include <memory>', '', 'namespace Aws {', 'namespace Internal {', 'class ClientCore;',
         '}  // namespace Internal', '', f'namespace {ns} {{', '',
         '// Safe for concurrent requests from many threads. Construction makes no network call and',
         '// opens no connection; connections come from the process-wide pool started by InitAPI.',
         f'class {client} {{', 'public:', '    static const char* GetServiceName();',
         '    static const char* GetAllocationTag();', '',
         f'    {client}(const Aws::Auth::AWSCredentials& credentials,',
         '             const Aws::Client::ClientConfiguration& clientConfiguration = Aws::Client::ClientConfiguration());',
         f'    virtual ~{client}();', f'    {client}(const {client}&) = delete;',
         f'    {client}& operator=(const {client}&) = delete;', '']
    for op, res in ops:
        h.append(f'    virtual Model::{op}Outcome {op}(const Model::{op}Request& request = {{}}) const;')
    h += ['', 'private:', '    std::shared_ptr<const Aws::Internal::ClientCore> m_core;', '};', '',
          f'}}  // namespace {ns}', '}  // namespace Aws']
    write(f'{ROOT}/include/aws/{d}/{client}.h', '\n'.join(h) + '\n')

    c = [f'#include <aws/{d}/{client}.h>', '', '#include "core/service_client.h"']
    if proto == 'Xml':
        c += ['#include "core/xml_operation.h"', f'#include "{short}/{short}_unmarshal.h"']
    else:
        c += [f'#include "{short}/{short}_json.h"']
    c += ['', 'namespace Aws {', f'namespace {ns} {{', 'namespace {', '',
          f'const Aws::Internal::ServiceTraits kService{{',
          f'    {{"{sign}", "{prefix}", "{envs}", "{envp}", {"true" if ce else "false"}}},',
          f'    "{api}",', f'    "{cname}",', f'    Aws::Internal::WireProtocol::{proto},',
          f'    &{mapper}::GetErrorForName,', '    ' + ('"AWSInsightsIndexService"' if ce else 'nullptr'), '};',
          '', '}  // namespace', '',
          f'const char* {client}::GetServiceName() {{ return "{sign}"; }}',
          f'const char* {client}::GetAllocationTag() {{ return "{client}"; }}', '',
          f'{client}::{client}(const Aws::Auth::AWSCredentials& credentials,',
          '    const Aws::Client::ClientConfiguration& clientConfiguration)',
          '    : m_core(std::make_shared<const Aws::Internal::ClientCore>(kService, credentials, clientConfiguration)) {}', '',
          f'{client}::~{client}() = default;', '']
    for op, res in ops:
        c.append(f'Model::{op}Outcome {client}::{op}(const Model::{op}Request& request) const {{')
        if proto == 'Xml':
            wrapper = 'false' if ns == 'EC2' else 'true'
            c.append(f'    return Aws::Internal::XmlOperation<Model::{res}, {err}>(*m_core, request, {wrapper}, &Model::Unmarshal{res});')
        else:
            c.append(f'    return Aws::Internal::JsonOperation<Model::{res}, {err}>(*m_core, request, &Model::Unmarshal{res});')
        c.append('}')
        c.append('')
    c += [f'}}  // namespace {ns}', '}  // namespace Aws']
    write(f'{ROOT}/src/{short}/{short}_client.cpp', '\n'.join(c) + '\n')
