#!/usr/bin/python3
"""Writes <Svc>Errors.h and the name tables: EC2 from ec2_errors.txt (the official hand-kept list),
the other services from botocore's service models."""
import json
import os

import generated_file

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BOTO = '/usr/lib/python3/dist-packages/botocore/data'
CORE = ['INCOMPLETE_SIGNATURE', 'INTERNAL_FAILURE', 'INVALID_ACTION', 'INVALID_CLIENT_TOKEN_ID',
        'INVALID_PARAMETER_COMBINATION', 'INVALID_QUERY_PARAMETER', 'INVALID_PARAMETER_VALUE', 'MISSING_ACTION',
        'MISSING_AUTHENTICATION_TOKEN', 'MISSING_PARAMETER', 'OPT_IN_REQUIRED', 'REQUEST_EXPIRED',
        'SERVICE_UNAVAILABLE', 'THROTTLING', 'VALIDATION', 'ACCESS_DENIED', 'RESOURCE_NOT_FOUND',
        'UNRECOGNIZED_CLIENT', 'MALFORMED_QUERY_STRING', 'SLOW_DOWN', 'REQUEST_TIME_TOO_SKEWED', 'INVALID_SIGNATURE',
        'SIGNATURE_DOES_NOT_MATCH', 'INVALID_ACCESS_KEY_ID', 'REQUEST_TIMEOUT']

def ident(shape):
    for suf in ('Exception', 'Error'):
        if shape.endswith(suf) and shape != suf:
            shape = shape[:-len(suf)]
            break
    out = ''
    for i, c in enumerate(shape):
        if i > 0 and c.isupper():
            out += '_'
        out += c.upper()
    return out

def ec2_name(ident):
    parts = ident.split('__')
    res = []
    for p in parts:
        s = ''
        for tok in p.split('_'):
            if len(tok) == 1:
                s += tok
            else:
                s += tok[0] + tok[1:].lower()
        res.append(s)
    return '.'.join(res)

def botocore_errors(svc, ver):
    m = json.load(open(f'{BOTO}/{svc}/{ver}/service-2.json'))
    out = []
    for n, s in m['shapes'].items():
        if not s.get('exception'):
            continue
        i = ident(n)
        if i in CORE:
            continue
        err = s.get('error') or {}
        code = err.get('code', n)
        retry = err.get('httpStatusCode', 400) >= 500 or n == 'LimitExceededException'
        out.append((i, code, retry))
    return sorted(out)

SERVICES = [
    ('EC2', 'ec2', 'EC2Errors', 'EC2Error', 'EC2ErrorMapper', None),
    ('CloudWatch', 'monitoring', 'CloudWatchErrors', 'CloudWatchError', 'CloudWatchErrorMapper', ('cloudwatch', '2010-08-01')),
    ('ElasticLoadBalancingv2', 'elasticloadbalancingv2', 'ElasticLoadBalancingv2Errors', 'ElasticLoadBalancingv2Error',
     'ElasticLoadBalancingv2ErrorMapper', ('elbv2', '2015-12-01')),
    ('RDS', 'rds', 'RDSErrors', 'RDSError', 'RDSErrorMapper', ('rds', '2014-10-31')),
    ('CostExplorer', 'ce', 'CostExplorerErrors', 'CostExplorerError', 'CostExplorerErrorMapper', ('ce', '2017-10-25')),
]

def write(path, text):
    generated_file.write(path, text, __file__)

for ns, d, enum, cls, mapper, boto in SERVICES:
    if boto is None:
        ids = open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'ec2_errors.txt')).read().split()
        errs = [(i, ec2_name(i), False) for i in ids]
    else:
        errs = botocore_errors(*boto)
    h = ['#pragma once', '', '#include <aws/core/client/AWSError.h>', '#include <aws/core/client/CoreErrors.h>', '',
         'namespace Aws {', f'namespace {ns} {{', '', f'enum class {enum} {{']
    for i, c in enumerate(CORE):
        h.append(f'    {c} = {i},')
    h.append('    NETWORK_CONNECTION = 99,')
    h.append('')
    h.append('    UNKNOWN = 100,')
    h.append('')
    for k, (i, code, r) in enumerate(errs):
        if k == 0:
            h.append(f'    {i} = static_cast<int>(Aws::Client::CoreErrors::SERVICE_EXTENSION_START_RANGE) + 1,')
        else:
            h.append(f'    {i},')
    h.append('};')
    h += ['', f'class {cls} : public Aws::Client::AWSError<{enum}> {{', 'public:',
          f'    {cls}() = default;',
          f'    {cls}(const Aws::Client::AWSError<Aws::Client::CoreErrors>& rhs) : Aws::Client::AWSError<{enum}>(rhs) {{}}  // NOLINT(google-explicit-constructor)',
          f'    {cls}(Aws::Client::AWSError<Aws::Client::CoreErrors>&& rhs) : Aws::Client::AWSError<{enum}>(std::move(rhs)) {{}}  // NOLINT(google-explicit-constructor)',
          f'    {cls}(const Aws::Client::AWSError<{enum}>& rhs) : Aws::Client::AWSError<{enum}>(rhs) {{}}  // NOLINT(google-explicit-constructor)',
          f'    {cls}(Aws::Client::AWSError<{enum}>&& rhs) : Aws::Client::AWSError<{enum}>(std::move(rhs)) {{}}  // NOLINT(google-explicit-constructor)',
          '};', '', f'namespace {mapper} {{',
          '// The service\'s own error for a wire name; UNKNOWN (not retryable) for names it does not define.',
          'Aws::Client::AWSError<Aws::Client::CoreErrors> GetErrorForName(const char* errorName);',
          f'}}  // namespace {mapper}', '', f'}}  // namespace {ns}', '}  // namespace Aws']
    h.insert(4, '#include <utility>')
    write(f'{ROOT}/include/aws/{d}/{enum}.h', '\n'.join(h) + '\n')
    svc_short = {'EC2': 'ec2', 'CloudWatch': 'cw', 'ElasticLoadBalancingv2': 'elb', 'RDS': 'rds', 'CostExplorer': 'ce'}[ns]
    c = ['#include "core/named_error.h"', '', f'#include <aws/{d}/{enum}.h>', '', '#include <array>', '',
         'namespace Aws {', f'namespace {ns} {{', f'namespace {mapper} {{', 'namespace {', '',
         f'using NamedError = Aws::Internal::NamedError<{enum}>;', '',
         'constexpr std::array kErrors = {']
    for i, code, r in sorted(errs, key=lambda e: e[1]):
        c.append(f'    NamedError{{"{code}", {enum}::{i}, {"true" if r else "false"}}},')
    c += ['};', '', '}  // namespace', '',
          'Aws::Client::AWSError<Aws::Client::CoreErrors> GetErrorForName(const char* errorName) {',
          '    return Aws::Internal::ErrorForName(kErrors, errorName);',
          '}', '', f'}}  // namespace {mapper}', f'}}  // namespace {ns}', '}  // namespace Aws']
    write(f'{ROOT}/src/{svc_short}/{svc_short}_errors.cpp', '\n'.join(c) + '\n')
    # report
    print(ns, len(errs), [(129 + k, i) for k, (i, code, r) in enumerate(errs) if r or i in ('D_B_INSTANCE_NOT_FOUND_FAULT', 'LOAD_BALANCER_NOT_FOUND', 'DATA_UNAVAILABLE', 'LIMIT_EXCEEDED', 'INVALID_VOLUME__NOT_FOUND')])
