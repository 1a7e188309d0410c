#!/usr/bin/python3
"""Writes the model headers, the enum mappers, the XML readers and the query writers.

The models list only the members the module reads plus a few neighbours; add a member here and run
`/usr/bin/python3 awssdk/codegen/generate_models.py` (clang-format must be on PATH)."""
import os

import generated_file

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

S, I, D, B, T = 'S', 'I', 'D', 'B', 'T'

def E(n): return ('E', n)
def M(n): return ('M', n)
def L(t, item=None): return ('L', t, item)
def MAP(v): return ('MAP', v)

SERVICES = {
    'ec2': dict(ns='EC2', dir='ec2', proto='ec2', api='2016-11-15'),
    'cw': dict(ns='CloudWatch', dir='monitoring', proto='query', api='2010-08-01'),
    'elb': dict(ns='ElasticLoadBalancingv2', dir='elasticloadbalancingv2', proto='query', api='2015-12-01'),
    'rds': dict(ns='RDS', dir='rds', proto='query', api='2014-10-31'),
    'ce': dict(ns='CostExplorer', dir='ce', proto='json', api='2017-10-25'),
}

# Fields: (Name, type, wire). For EC2 output the wire is the xml element; for EC2 request lists the wire
# is the singular query key. For lists in responses: wire is (container, item).
MODELS = {
    'ec2': [
        ('Tag', 'struct', [('Key', S, 'key'), ('Value', S, 'value')]),
        ('Region', 'struct', [('Endpoint', S, 'regionEndpoint'), ('RegionName', S, 'regionName'),
                              ('OptInStatus', S, 'optInStatus')]),
        ('InstanceState', 'struct', [('Code', I, 'code'), ('Name', E('InstanceStateName'), 'name')]),
        ('Instance', 'struct', [('InstanceId', S, 'instanceId'), ('LaunchTime', T, 'launchTime'),
                                ('PrivateIpAddress', S, 'privateIpAddress'),
                                ('PublicIpAddress', S, 'ipAddress'), ('State', M('InstanceState'), 'instanceState'),
                                ('SubnetId', S, 'subnetId'), ('VpcId', S, 'vpcId'),
                                ('Tags', L(M('Tag')), ('tagSet', 'item'))]),
        ('Reservation', 'struct', [('Instances', L(M('Instance')), ('instancesSet', 'item')),
                                   ('OwnerId', S, 'ownerId'), ('RequesterId', S, 'requesterId'),
                                   ('ReservationId', S, 'reservationId')]),
        ('VolumeAttachment', 'struct', [('AttachTime', T, 'attachTime'), ('Device', S, 'device'),
                                        ('InstanceId', S, 'instanceId'),
                                        ('State', E('VolumeAttachmentState'), 'status'),
                                        ('VolumeId', S, 'volumeId'), ('DeleteOnTermination', B, 'deleteOnTermination')]),
        ('Volume', 'struct', [('Attachments', L(M('VolumeAttachment')), ('attachmentSet', 'item')),
                              ('AvailabilityZone', S, 'availabilityZone'), ('CreateTime', T, 'createTime'),
                              ('Encrypted', B, 'encrypted'), ('Size', I, 'size'), ('SnapshotId', S, 'snapshotId'),
                              ('State', E('VolumeState'), 'status'), ('VolumeId', S, 'volumeId'), ('Iops', I, 'iops'),
                              ('Tags', L(M('Tag')), ('tagSet', 'item')), ('VolumeType', E('VolumeType'), 'volumeType'),
                              ('Throughput', I, 'throughput')]),
        ('DescribeRegionsRequest', 'request:DescribeRegions', [('RegionNames', L(S), 'RegionName'), ('DryRun', B, 'DryRun'),
                                                              ('AllRegions', B, 'AllRegions')]),
        ('DescribeRegionsResponse', 'result', [('Regions', L(M('Region')), ('regionInfo', 'item'))]),
        ('DescribeInstancesRequest', 'request:DescribeInstances', [('InstanceIds', L(S), 'InstanceId'), ('DryRun', B, 'DryRun'),
                                                                  ('MaxResults', I, 'MaxResults'), ('NextToken', S, 'NextToken')]),
        ('DescribeInstancesResponse', 'result', [('Reservations', L(M('Reservation')), ('reservationSet', 'item')),
                                                 ('NextToken', S, 'nextToken')]),
        ('DescribeVolumesRequest', 'request:DescribeVolumes', [('VolumeIds', L(S), 'VolumeId'), ('DryRun', B, 'DryRun'),
                                                              ('MaxResults', I, 'MaxResults'), ('NextToken', S, 'NextToken')]),
        ('DescribeVolumesResponse', 'result', [('Volumes', L(M('Volume')), ('volumeSet', 'item')),
                                               ('NextToken', S, 'nextToken')]),
    ],
    'cw': [
        ('Dimension', 'struct', [('Name', S, 'Name'), ('Value', S, 'Value')]),
        ('Metric', 'struct', [('Namespace', S, 'Namespace'), ('MetricName', S, 'MetricName'),
                              ('Dimensions', L(M('Dimension')), ('Dimensions', 'member'))]),
        ('Datapoint', 'struct', [('Timestamp', T, 'Timestamp'), ('SampleCount', D, 'SampleCount'),
                                 ('Average', D, 'Average'), ('Sum', D, 'Sum'), ('Minimum', D, 'Minimum'),
                                 ('Maximum', D, 'Maximum'), ('Unit', E('StandardUnit'), 'Unit')]),
        ('MetricStat', 'struct', [('Metric', M('Metric'), 'Metric'), ('Period', I, 'Period'), ('Stat', S, 'Stat'),
                                  ('Unit', E('StandardUnit'), 'Unit')]),
        ('MetricDataQuery', 'struct', [('Id', S, 'Id'), ('MetricStat', M('MetricStat'), 'MetricStat'),
                                       ('Expression', S, 'Expression'), ('Label', S, 'Label'),
                                       ('ReturnData', B, 'ReturnData'), ('Period', I, 'Period'),
                                       ('AccountId', S, 'AccountId')]),
        ('MetricAlarm', 'struct', [('AlarmName', S, 'AlarmName'), ('AlarmArn', S, 'AlarmArn'),
                                   ('AlarmDescription', S, 'AlarmDescription'),
                                   ('ActionsEnabled', B, 'ActionsEnabled'),
                                   ('StateValue', E('StateValue'), 'StateValue'), ('StateReason', S, 'StateReason'),
                                   ('StateUpdatedTimestamp', T, 'StateUpdatedTimestamp'),
                                   ('MetricName', S, 'MetricName'), ('Namespace', S, 'Namespace'),
                                   ('Statistic', E('Statistic'), 'Statistic'), ('ExtendedStatistic', S, 'ExtendedStatistic'),
                                   ('Dimensions', L(M('Dimension')), ('Dimensions', 'member')),
                                   ('Period', I, 'Period'), ('Unit', E('StandardUnit'), 'Unit'),
                                   ('EvaluationPeriods', I, 'EvaluationPeriods'), ('Threshold', D, 'Threshold'),
                                   ('Metrics', L(M('MetricDataQuery')), ('Metrics', 'member'))]),
        ('CompositeAlarm', 'struct', [('ActionsEnabled', B, 'ActionsEnabled'), ('AlarmArn', S, 'AlarmArn'),
                                      ('AlarmDescription', S, 'AlarmDescription'), ('AlarmName', S, 'AlarmName'),
                                      ('AlarmRule', S, 'AlarmRule'), ('StateReason', S, 'StateReason'),
                                      ('StateUpdatedTimestamp', T, 'StateUpdatedTimestamp'),
                                      ('StateValue', E('StateValue'), 'StateValue')]),
        ('GetMetricStatisticsRequest', 'request:GetMetricStatistics', [
            ('Namespace', S, 'Namespace'), ('MetricName', S, 'MetricName'), ('Dimensions', L(M('Dimension')), 'Dimensions'),
            ('StartTime', T, 'StartTime'), ('EndTime', T, 'EndTime'), ('Period', I, 'Period'),
            ('Statistics', L(E('Statistic')), 'Statistics'), ('ExtendedStatistics', L(S), 'ExtendedStatistics'),
            ('Unit', E('StandardUnit'), 'Unit')]),
        ('GetMetricStatisticsResult', 'result', [('Label', S, 'Label'),
                                                 ('Datapoints', L(M('Datapoint')), ('Datapoints', 'member'))]),
        ('ListMetricsRequest', 'request:ListMetrics', [('Namespace', S, 'Namespace'), ('MetricName', S, 'MetricName'),
                                                      ('NextToken', S, 'NextToken')]),
        ('ListMetricsResult', 'result', [('Metrics', L(M('Metric')), ('Metrics', 'member')), ('NextToken', S, 'NextToken')]),
        ('DescribeAlarmsRequest', 'request:DescribeAlarms', [
            ('AlarmNames', L(S), 'AlarmNames'), ('AlarmNamePrefix', S, 'AlarmNamePrefix'),
            ('AlarmTypes', L(E('AlarmType')), 'AlarmTypes'), ('ChildrenOfAlarmName', S, 'ChildrenOfAlarmName'),
            ('ParentsOfAlarmName', S, 'ParentsOfAlarmName'), ('StateValue', E('StateValue'), 'StateValue'),
            ('ActionPrefix', S, 'ActionPrefix'), ('MaxRecords', I, 'MaxRecords'), ('NextToken', S, 'NextToken')]),
        ('DescribeAlarmsResult', 'result', [('CompositeAlarms', L(M('CompositeAlarm')), ('CompositeAlarms', 'member')),
                                            ('MetricAlarms', L(M('MetricAlarm')), ('MetricAlarms', 'member')),
                                            ('NextToken', S, 'NextToken')]),
    ],
    'elb': [
        ('LoadBalancerState', 'struct', [('Code', E('LoadBalancerStateEnum'), 'Code'), ('Reason', S, 'Reason')]),
        ('LoadBalancer', 'struct', [('LoadBalancerArn', S, 'LoadBalancerArn'), ('DNSName', S, 'DNSName'),
                                    ('CanonicalHostedZoneId', S, 'CanonicalHostedZoneId'),
                                    ('CreatedTime', T, 'CreatedTime'), ('LoadBalancerName', S, 'LoadBalancerName'),
                                    ('VpcId', S, 'VpcId'), ('State', M('LoadBalancerState'), 'State'),
                                    ('Type', E('LoadBalancerTypeEnum'), 'Type')]),
        ('DescribeLoadBalancersRequest', 'request:DescribeLoadBalancers', [
            ('LoadBalancerArns', L(S), 'LoadBalancerArns'), ('Names', L(S), 'Names'), ('Marker', S, 'Marker'),
            ('PageSize', I, 'PageSize')]),
        ('DescribeLoadBalancersResult', 'result', [('LoadBalancers', L(M('LoadBalancer')), ('LoadBalancers', 'member')),
                                                   ('NextMarker', S, 'NextMarker')]),
    ],
    'rds': [
        ('DBInstance', 'struct', [('DBInstanceIdentifier', S, 'DBInstanceIdentifier'),
                                  ('DBInstanceClass', S, 'DBInstanceClass'), ('Engine', S, 'Engine'),
                                  ('DBInstanceStatus', S, 'DBInstanceStatus'), ('AllocatedStorage', I, 'AllocatedStorage'),
                                  ('InstanceCreateTime', T, 'InstanceCreateTime'),
                                  ('AvailabilityZone', S, 'AvailabilityZone'), ('MultiAZ', B, 'MultiAZ'),
                                  ('EngineVersion', S, 'EngineVersion'), ('StorageType', S, 'StorageType'),
                                  ('DBInstanceArn', S, 'DBInstanceArn')]),
        ('DescribeDBInstancesRequest', 'request:DescribeDBInstances', [
            ('DBInstanceIdentifier', S, 'DBInstanceIdentifier'), ('MaxRecords', I, 'MaxRecords'), ('Marker', S, 'Marker')]),
        ('DescribeDBInstancesResult', 'result', [('Marker', S, 'Marker'),
                                                 ('DBInstances', L(M('DBInstance')), ('DBInstances', 'DBInstance'))]),
    ],
    'ce': [
        ('DateInterval', 'jstruct', [('Start', S, 'Start'), ('End', S, 'End')]),
        ('MetricValue', 'jstruct', [('Amount', S, 'Amount'), ('Unit', S, 'Unit')]),
        ('Group', 'struct', [('Keys', L(S), 'Keys'), ('Metrics', MAP('MetricValue'), 'Metrics')]),
        ('ResultByTime', 'struct', [('TimePeriod', M('DateInterval'), 'TimePeriod'), ('Total', MAP('MetricValue'), 'Total'),
                                    ('Groups', L(M('Group')), 'Groups'), ('Estimated', B, 'Estimated')]),
        ('ForecastResult', 'struct', [('TimePeriod', M('DateInterval'), 'TimePeriod'), ('MeanValue', S, 'MeanValue'),
                                      ('PredictionIntervalLowerBound', S, 'PredictionIntervalLowerBound'),
                                      ('PredictionIntervalUpperBound', S, 'PredictionIntervalUpperBound')]),
        ('GetCostAndUsageRequest', 'request:GetCostAndUsage', [
            ('TimePeriod', M('DateInterval'), 'TimePeriod'), ('Granularity', E('Granularity'), 'Granularity'),
            ('Metrics', L(S), 'Metrics'), ('NextPageToken', S, 'NextPageToken')]),
        ('GetCostAndUsageResult', 'result', [('NextPageToken', S, 'NextPageToken'),
                                             ('ResultsByTime', L(M('ResultByTime')), 'ResultsByTime')]),
        ('GetCostForecastRequest', 'request:GetCostForecast', [
            ('TimePeriod', M('DateInterval'), 'TimePeriod'), ('Metric', E('Metric'), 'Metric'),
            ('Granularity', E('Granularity'), 'Granularity'), ('PredictionIntervalLevel', I, 'PredictionIntervalLevel')]),
        ('GetCostForecastResult', 'result', [('Total', M('MetricValue'), 'Total'),
                                             ('ForecastResultsByTime', L(M('ForecastResult')), 'ForecastResultsByTime')]),
    ],
}

ENUMS = {
    'ec2': [
        ('InstanceStateName', ['pending', 'running', ('shutting_down', 'shutting-down'), 'terminated', 'stopping', 'stopped']),
        ('VolumeType', ['standard', 'io1', 'io2', 'gp2', 'sc1', 'st1', 'gp3']),
        ('VolumeState', ['creating', 'available', ('in_use', 'in-use'), 'deleting', 'deleted', 'error']),
        ('VolumeAttachmentState', ['attaching', 'attached', 'detaching', 'detached', 'busy']),
    ],
    'cw': [
        ('StandardUnit', ['Seconds', 'Microseconds', 'Milliseconds', 'Bytes', 'Kilobytes', 'Megabytes', 'Gigabytes',
                          'Terabytes', 'Bits', 'Kilobits', 'Megabits', 'Gigabits', 'Terabits', 'Percent', 'Count',
                          ('Bytes_Second', 'Bytes/Second'), ('Kilobytes_Second', 'Kilobytes/Second'),
                          ('Megabytes_Second', 'Megabytes/Second'), ('Gigabytes_Second', 'Gigabytes/Second'),
                          ('Terabytes_Second', 'Terabytes/Second'), ('Bits_Second', 'Bits/Second'),
                          ('Kilobits_Second', 'Kilobits/Second'), ('Megabits_Second', 'Megabits/Second'),
                          ('Gigabits_Second', 'Gigabits/Second'), ('Terabits_Second', 'Terabits/Second'),
                          ('Count_Second', 'Count/Second'), 'None']),
        ('Statistic', ['SampleCount', 'Average', 'Sum', 'Minimum', 'Maximum']),
        ('StateValue', ['OK', 'ALARM', 'INSUFFICIENT_DATA']),
        ('AlarmType', ['CompositeAlarm', 'MetricAlarm']),
    ],
    'elb': [
        ('LoadBalancerTypeEnum', ['application', 'network', 'gateway']),
        ('LoadBalancerStateEnum', ['active', 'provisioning', 'active_impaired', 'failed']),
    ],
    'rds': [],
    'ce': [
        ('Granularity', ['DAILY', 'MONTHLY', 'HOURLY']),
        ('Metric', ['BLENDED_COST', 'UNBLENDED_COST', 'AMORTIZED_COST', 'NET_UNBLENDED_COST', 'NET_AMORTIZED_COST',
                    'USAGE_QUANTITY', 'NORMALIZED_USAGE_AMOUNT']),
    ],
}


def lc(n):
    return n[0].lower() + n[1:]


def cpp_type(t):
    if t == S: return 'Aws::String'
    if t == I: return 'int'
    if t == D: return 'double'
    if t == B: return 'bool'
    if t == T: return 'Aws::Utils::DateTime'
    if t[0] in ('E', 'M'): return t[1]
    if t[0] == 'L': return 'Aws::Vector<%s>' % cpp_type(t[1])
    if t[0] == 'MAP': return 'Aws::Map<Aws::String, %s>' % t[1]
    raise ValueError(t)


def is_scalar(t):
    return t in (I, D, B) or (isinstance(t, tuple) and t[0] == 'E')


def default_init(t):
    if t == I: return ' = 0'
    if t == D: return ' = 0.0'
    if t == B: return ' = false'
    if isinstance(t, tuple) and t[0] == 'E': return ' = %s::NOT_SET' % t[1]
    return ''


def includes_for(fields):
    inc = set(['<aws/core/utils/memory/stl/AWSString.h>'])
    for _, t, _ in fields:
        def add(t):
            if t == T: inc.add('<aws/core/utils/DateTime.h>')
            elif isinstance(t, tuple):
                if t[0] in ('E', 'M'): inc.add('@' + t[1])
                elif t[0] == 'L':
                    inc.add('<aws/core/utils/memory/stl/AWSVector.h>'); add(t[1])
                elif t[0] == 'MAP':
                    inc.add('<aws/core/utils/memory/stl/AWSMap.h>'); inc.add('@' + t[1])
        add(t)
    return inc


def gen_model_header(svc, name, kind, fields):
    info = SERVICES[svc]
    ns, d = info['ns'], info['dir']
    out = ['#pragma once', '']
    incs = sorted(includes_for(fields))
    for i in incs:
        if i.startswith('@'):
            out.append('#include <aws/%s/model/%s.h>' % (d, i[1:]))
        else:
            out.append('#include %s' % i)
    out.append('')
    out.append('#include <utility>')
    if kind == 'jstruct':
        out.append('#include <aws/core/utils/json/JsonSerializer.h>')
    out.append('')
    out.append('namespace Aws {')
    out.append('namespace %s {' % ns)
    out.append('namespace Model {')
    out.append('')
    out.append('class %s {' % name)
    out.append('public:')
    out.append('    %s() = default;' % name)
    if kind.startswith('request'):
        op = kind.split(':')[1]
        out.append('    const char* GetServiceRequestName() const { return "%s"; }' % op)
        out.append('    Aws::String SerializePayload() const;')
    if kind == 'jstruct':
        out.append('    Aws::Utils::Json::JsonValue Jsonize() const;')
    out.append('')
    for fname, t, _ in fields:
        ct = cpp_type(t)
        m = 'm_' + lc(fname)
        hb = m + 'HasBeenSet'
        if is_scalar(t):
            out.append('    %s Get%s() const { return %s; }' % (ct, fname, m))
            out.append('    bool %sHasBeenSet() const { return %s; }' % (fname, hb))
            out.append('    void Set%s(%s value) {' % (fname, ct))
            out.append('        %s = true;' % hb)
            out.append('        %s = value;' % m)
            out.append('    }')
            out.append('    %s& With%s(%s value) {' % (name, fname, ct))
            out.append('        Set%s(value);' % fname)
            out.append('        return *this;')
            out.append('    }')
        else:
            tp = fname + 'T'
            out.append('    const %s& Get%s() const { return %s; }' % (ct, fname, m))
            out.append('    bool %sHasBeenSet() const { return %s; }' % (fname, hb))
            out.append('    template <typename %s = %s>' % (tp, ct))
            out.append('    void Set%s(%s&& value) {' % (fname, tp))
            out.append('        %s = true;' % hb)
            out.append('        %s = std::forward<%s>(value);' % (m, tp))
            out.append('    }')
            out.append('    template <typename %s = %s>' % (tp, ct))
            out.append('    %s& With%s(%s&& value) {' % (name, fname, tp))
            out.append('        Set%s(std::forward<%s>(value));' % (fname, tp))
            out.append('        return *this;')
            out.append('    }')
            if t[0] == 'L' if isinstance(t, tuple) else False:
                et = cpp_type(t[1])
                if is_scalar(t[1]):
                    out.append('    %s& Add%s(%s value) {' % (name, fname, et))
                    out.append('        %s = true;' % hb)
                    out.append('        %s.push_back(value);' % m)
                    out.append('        return *this;')
                    out.append('    }')
                else:
                    out.append('    template <typename %s = %s>' % (fname + 'ItemT', et))
                    out.append('    %s& Add%s(%s&& value) {' % (name, fname, fname + 'ItemT'))
                    out.append('        %s = true;' % hb)
                    out.append('        %s.emplace_back(std::forward<%s>(value));' % (m, fname + 'ItemT'))
                    out.append('        return *this;')
                    out.append('    }')
            if isinstance(t, tuple) and t[0] == 'MAP':
                out.append('    template <typename KeyT = Aws::String, typename ValueT = %s>' % t[1])
                out.append('    %s& Add%s(KeyT&& key, ValueT&& value) {' % (name, fname))
                out.append('        %s = true;' % hb)
                out.append('        %s.emplace(std::forward<KeyT>(key), std::forward<ValueT>(value));' % m)
                out.append('        return *this;')
                out.append('    }')
        out.append('')
    out.append('private:')
    for fname, t, _ in fields:
        out.append('    %s m_%s%s;' % (cpp_type(t), lc(fname), default_init(t)))
    for fname, t, _ in fields:
        out.append('    bool m_%sHasBeenSet = false;' % lc(fname))
    out.append('};')
    out.append('')
    out.append('}  // namespace Model')
    out.append('}  // namespace %s' % ns)
    out.append('}  // namespace Aws')
    return '\n'.join(out) + '\n'


def gen_enum_header(svc, name, values):
    info = SERVICES[svc]
    ns = info['ns']
    out = ['#pragma once', '', '#include <aws/core/utils/memory/stl/AWSString.h>', '', 'namespace Aws {',
           'namespace %s {' % ns, 'namespace Model {', '', 'enum class %s { NOT_SET, %s };' % (
               name, ', '.join(v if isinstance(v, str) else v[0] for v in values)), '',
           'namespace %sMapper {' % name,
           '%s Get%sForName(const Aws::String& name);' % (name, name),
           'Aws::String GetNameFor%s(%s value);' % (name, name),
           '}  // namespace %sMapper' % name, '', '}  // namespace Model', '}  // namespace %s' % ns,
           '}  // namespace Aws']
    return '\n'.join(out) + '\n'


def gen_enum_cpp(svc, enums):
    info = SERVICES[svc]
    ns, d = info['ns'], info['dir']
    out = ['#include "core/enum_table.h"', '']
    for name, _ in enums:
        out.append('#include <aws/%s/model/%s.h>' % (d, name))
    out += ['', 'namespace Aws {', 'namespace %s {' % ns, 'namespace Model {', '']
    for name, values in enums:
        texts = [v if isinstance(v, str) else v[1] for v in values]
        out.append('namespace %sMapper {' % name)
        out.append('namespace {')
        out.append('constexpr const char* kNames[] = {%s};' % ', '.join('"%s"' % t for t in texts))
        out.append('}  // namespace')
        out.append('')
        out.append('%s Get%sForName(const Aws::String& name) {' % (name, name))
        out.append('    return static_cast<%s>(Aws::Internal::EnumForName(kNames, name));' % name)
        out.append('}')
        out.append('')
        out.append('Aws::String GetNameFor%s(%s value) {' % (name, name))
        out.append('    return Aws::Internal::NameForEnum(kNames, static_cast<int>(value));')
        out.append('}')
        out.append('}  // namespace %sMapper' % name)
        out.append('')
    out += ['}  // namespace Model', '}  // namespace %s' % ns, '}  // namespace Aws']
    return '\n'.join(out) + '\n'


# ---- XML unmarshalling + query serialisation ----

def gen_xml_cpp(svc, models, enums):
    info = SERVICES[svc]
    ns, d, proto, api = info['ns'], info['dir'], info['proto'], info['api']
    enum_names = set(n for n, _ in enums)
    out = ['#include "core/query_writer.h"', '#include "core/xml_reader.h"', '#include "%s/%s_unmarshal.h"' % (svc, svc), '']
    for name, kind, fields in models:
        out.append('#include <aws/%s/model/%s.h>' % (d, name))
    out += ['', 'namespace Aws {', 'namespace %s {' % ns, 'namespace Model {', '',
            'using Aws::Internal::XmlLocalName;', 'using Aws::Internal::XmlText;', '']
    structs = [(n, k, f) for n, k, f in models if k in ('struct', 'result')]
    # forward declarations
    out.append('namespace {')
    for n, k, f in structs:
        if k == 'struct':
            out.append('void Unmarshal(const pugi::xml_node& node, %s& out);' % n)
    out.append('')
    out.append('template <typename T>')
    out.append('T Read(const pugi::xml_node& node) {')
    out.append('    T value;')
    out.append('    Unmarshal(node, value);')
    out.append('    return value;')
    out.append('}')
    out.append('')

    def value_expr(t, nodevar):
        if t == S: return 'XmlText(%s)' % nodevar
        if t == I: return 'Aws::Internal::XmlInt(%s)' % nodevar
        if t == D: return 'Aws::Internal::XmlDouble(%s)' % nodevar
        if t == B: return 'Aws::Internal::XmlBool(%s)' % nodevar
        if t == T: return 'Aws::Internal::XmlDateTime(%s)' % nodevar
        if t[0] == 'E': return '%sMapper::Get%sForName(XmlText(%s))' % (t[1], t[1], nodevar)
        raise ValueError(t)

    def body(n, fields):
        lines = []
        lines.append('    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {')
        lines.append('        if (child.type() != pugi::node_element) {')
        lines.append('            continue;')
        lines.append('        }')
        lines.append('        const std::string_view name = XmlLocalName(child);')
        first = True
        for fname, t, wire in fields:
            w = wire[0] if isinstance(wire, tuple) else wire
            cond = ('if' if first else '} else if') + ' (name == "%s") {' % w
            first = False
            lines.append('        ' + cond)
            if isinstance(t, tuple) and t[0] == 'M':
                lines.append('            out.Set%s(Read<%s>(child));' % (fname, t[1]))
            elif isinstance(t, tuple) and t[0] == 'L':
                item = wire[1]
                et = t[1]
                if not (isinstance(et, tuple) and et[0] == 'M'):
                    raise ValueError('XML lists hold structures only: %s.%s' % (n, fname))
                lines.append('            out.Set%s(Aws::Internal::XmlList<%s>(child, "%s", Unmarshal));' % (fname, et[1], item))
            else:
                lines.append('            out.Set%s(%s);' % (fname, value_expr(t, 'child')))
        if not first:
            lines.append('        }')
        lines.append('    }')
        return lines

    for n, k, f in structs:
        if k != 'struct':
            continue
        out.append('void Unmarshal(const pugi::xml_node& node, %s& out) {' % n)
        out += body(n, f)
        out.append('}')
        out.append('')
    out.append('}  // namespace')
    out.append('')
    for n, k, f in structs:
        if k != 'result':
            continue
        out.append('void Unmarshal%s(const pugi::xml_node& node, %s& out) {' % (n, n))
        out += body(n, f)
        out.append('}')
        out.append('')

    # query serialisation
    def ser_value(t, var):
        if t == S: return var
        if t == I: return 'Aws::Internal::ToDecimal(%s)' % var
        if t == D: return 'Aws::Internal::ToDecimal(%s)' % var
        if t == B: return '(%s ? "true" : "false")' % var
        if t == T: return '%s.ToGmtString(Aws::Utils::DateFormat::ISO_8601)' % var
        if t[0] == 'E': return '%sMapper::GetNameFor%s(%s)' % (t[1], t[1], var)
        raise ValueError(t)

    struct_fields = {n: f for n, k, f in models}
    for n, k, f in models:
        if not k.startswith('request'):
            continue
        op = k.split(':')[1]
        out.append('Aws::String %s::SerializePayload() const {' % n)
        out.append('    Aws::Internal::QueryWriter writer("%s");' % op)
        for fname, t, wire in f:
            m = 'm_' + lc(fname)
            out.append('    if (%sHasBeenSet) {' % m)
            if isinstance(t, tuple) and t[0] == 'L':
                et = t[1]
                if proto == 'ec2':
                    prefix = wire + '.'
                else:
                    prefix = wire + '.member.'
                    out.append('        if (%s.empty()) {' % m)
                    out.append('            writer.Add("%s", "");' % wire)
                    out.append('        }')
                out.append('        unsigned index = 1;')
                out.append('        for (const auto& item : %s) {' % m)
                if isinstance(et, tuple) and et[0] == 'M':
                    for sf, st, sw in struct_fields[et[1]]:
                        out.append('            if (item.%sHasBeenSet()) {' % sf)
                        out.append('                writer.AddIndexed("%s", index, ".%s", %s);' % (prefix, sw, ser_value(st, 'item.Get%s()' % sf)))
                        out.append('            }')
                else:
                    out.append('            writer.AddIndexed("%s", index, "", %s);' % (prefix, ser_value(et, 'item')))
                out.append('            ++index;')
                out.append('        }')
            else:
                out.append('        writer.Add("%s", %s);' % (wire, ser_value(t, m)))
            out.append('    }')
        out.append('    return writer.Finish("%s");' % api)
        out.append('}')
        out.append('')
    out += ['}  // namespace Model', '}  // namespace %s' % ns, '}  // namespace Aws']
    return '\n'.join(out) + '\n'


def gen_unmarshal_header(svc, models):
    info = SERVICES[svc]
    ns, d = info['ns'], info['dir']
    out = ['#pragma once', '', '#include <pugixml.hpp>', '']
    for n, k, f in models:
        if k == 'result':
            out.append('#include <aws/%s/model/%s.h>' % (d, n))
    out += ['', 'namespace Aws {', 'namespace %s {' % ns, 'namespace Model {', '']
    for n, k, f in models:
        if k == 'result':
            out.append('void Unmarshal%s(const pugi::xml_node& node, %s& out);' % (n, n))
    out += ['', '}  // namespace Model', '}  // namespace %s' % ns, '}  // namespace Aws']
    return '\n'.join(l for l in out) + '\n'


def write(path, text):
    generated_file.write(path, text, __file__)


def main():
    for svc, models in MODELS.items():
        info = SERVICES[svc]
        d = info['dir']
        for name, kind, fields in models:
            write('%s/include/aws/%s/model/%s.h' % (ROOT, d, name), gen_model_header(svc, name, kind, fields))
        for name, values in ENUMS[svc]:
            write('%s/include/aws/%s/model/%s.h' % (ROOT, d, name), gen_enum_header(svc, name, values))
        if ENUMS[svc]:
            write('%s/src/%s/%s_enums.cpp' % (ROOT, svc, svc), gen_enum_cpp(svc, ENUMS[svc]))
        if info['proto'] != 'json':
            write('%s/src/%s/%s_model.cpp' % (ROOT, svc, svc), gen_xml_cpp(svc, models, ENUMS[svc]))
            write('%s/src/%s/%s_unmarshal.h' % (ROOT, svc, svc), gen_unmarshal_header(svc, models))


main()
