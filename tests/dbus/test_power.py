"""LinuxPower, through the ombrel_power_probe driver, against python-dbusmock
stand-ins for systemd-logind and the desktops' session managers.

The script runs itself again inside a guard, so that nothing it starts can
reach the machine's own services even if an address leaks:
- a private mount namespace with empty tmpfs over /run/dbus, /run/systemd and
  /run/user (the system bus socket, systemd's private socket and every user's
  session bus are gone);
- a private network namespace (abstract sockets of other buses are gone);
- no CAP_SYS_BOOT in the bounding set, so nothing can call reboot(2);
- DBUS_SYSTEM_BUS_ADDRESS and DBUS_SESSION_BUS_ADDRESS naming only the two
  private dbus-daemons it starts.
The guard is checked with harmless commands before any bus is started, and
before every test each name the probe talks to must be owned by the mock
process the test started.
"""

import ctypes
import json
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

SKIP = 'skipping the D-Bus tests'
GUARD = 'OMBREL_POWER_GUARD'
CAP_SYS_BOOT = 22
MOCK_IFACE = 'org.freedesktop.DBus.Mock'
LOGIND = ('org.freedesktop.login1', '/org/freedesktop/login1', 'org.freedesktop.login1.Manager')
SESSION_PATH = '/org/freedesktop/login1/session/_33'  # logind escapes the id "3" so

# name, object path, interface, method, its signature, and the arguments
# expected on the wire as dbus-monitor prints them
SESSION_MANAGERS = {
    'gnome': ('org.gnome.SessionManager', '/org/gnome/SessionManager', 'org.gnome.SessionManager',
              'Logout', 'u', [('uint32', '1')]),
    'kde': ('org.kde.Shutdown', '/Shutdown', 'org.kde.Shutdown', 'logout', '', []),
    'ksmserver': ('org.kde.ksmserver', '/KSMServer', 'org.kde.KSMServerInterface',
                  'logout', 'iii', [('int32', '0')] * 3),
    'xfce': ('org.xfce.SessionManager', '/org/xfce/SessionManager', 'org.xfce.Session.Manager',
             'Logout', 'bb', [('boolean', 'false'), ('boolean', 'true')]),
}

BUS_CONFIG = '''<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path={socket}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
'''


def die_with_parent():
    """In a child before exec: end with SIGTERM when the process that started it ends."""
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def namespace(kind):
    return os.readlink(f'/proc/self/ns/{kind}')


def dbus_error(name, text):
    return f'raise dbus.exceptions.DBusException({text!r}, name={name!r})'


# ---------------------------------------------------------------- outside

def python_with_dbusmock():
    """sys.executable, or the system's python3 when only that one has dbusmock."""
    for candidate in dict.fromkeys([sys.executable, '/usr/bin/python3', shutil.which('python3')]):
        if candidate and os.access(candidate, os.X_OK) and subprocess.run(
                [candidate, '-c', 'import dbus, dbusmock'], capture_output=True, timeout=60).returncode == 0:
            return candidate
    return None


def run_outside():
    missing = [tool for tool in ('unshare', 'setpriv', 'mount', 'dbus-daemon', 'dbus-monitor', 'dbus-send')
               if not shutil.which(tool)]
    python = python_with_dbusmock()
    if python is None:
        missing.append('python3-dbusmock')
    if missing:
        print(f'{SKIP}: missing {", ".join(missing)}')
        return 0
    probe = os.environ.get('OMBREL_POWER_PROBE', '')
    if not os.access(probe, os.X_OK):
        print(f'OMBREL_POWER_PROBE does not name the built ombrel_power_probe: {probe!r}')
        return 1

    unshare = ['unshare', '--mount', '--propagation', 'private', '--net']
    if os.geteuid() != 0:
        unshare += ['--user', '--map-root-user']
    tried = subprocess.run(unshare + ['--', 'true'], capture_output=True, text=True, timeout=60)
    if tried.returncode != 0:
        print(f'{SKIP}: cannot make private namespaces: {tried.stderr.strip()}')
        return 0

    # A socket in this network namespace's abstract space, which the guarded
    # side must not be able to reach.
    listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    abstract = f'ombrel-power-guard-{os.getpid()}'
    listener.bind('\0' + abstract)
    listener.listen(1)
    outer = {'mnt': namespace('mnt'), 'net': namespace('net'), 'abstract': abstract}
    env = dict(os.environ, **{GUARD: json.dumps(outer)})
    command = unshare + ['--', 'setpriv', '--bounding-set', '-sys_boot', '--inh-caps', '-sys_boot', '--',
                         python, os.path.abspath(__file__)] + sys.argv[1:]
    try:
        return subprocess.run(command, env=env, preexec_fn=die_with_parent).returncode
    finally:
        listener.close()


# ---------------------------------------------------------------- inside

def hide_machine_services():
    """Empty tmpfs over the runtime folders of the machine's buses and systemd."""
    present = [d for d in ('/run/dbus', '/run/systemd') if os.path.isdir(d)]
    # Where one is missing, cover all of /run, so that it cannot appear later.
    hide = present if len(present) == 2 else ['/run']
    if len(present) == 2 and os.path.isdir('/run/user'):
        hide.append('/run/user')
    for folder in hide:
        subprocess.run(['mount', '-t', 'tmpfs', '-o', 'mode=0755,size=1m', 'ombrel-guard', folder],
                       check=True, timeout=60)


def capability_sets(status_text):
    return {m.group(1): int(m.group(2), 16) for m in re.finditer(r'^(Cap\w+):\s*([0-9a-f]+)$', status_text, re.M)}


def guard_problems(outer):
    problems = []
    for kind in ('mnt', 'net'):
        if namespace(kind) == outer[kind]:
            problems.append(f'the {kind} namespace is the caller\'s')
    for path in ('/run/dbus/system_bus_socket', '/var/run/dbus/system_bus_socket', '/run/systemd/private'):
        if os.path.lexists(path):
            problems.append(f'{path} is still there')
    for folder in ('/run/dbus', '/run/systemd', '/run/user'):
        if os.path.isdir(folder) and os.listdir(folder):
            problems.append(f'{folder} is not empty')
    # What a started program gets, read from a started program.
    child = subprocess.run(['cat', '/proc/self/status'], capture_output=True, text=True, timeout=60).stdout
    with open('/proc/self/status', encoding='utf-8') as own:
        for who, text in (('this process', own.read()), ('a child', child)):
            sets = capability_sets(text)
            if len(sets) < 4:
                problems.append(f'cannot read the capabilities of {who}')
            for name, bits in sets.items():
                if bits & (1 << CAP_SYS_BOOT):
                    problems.append(f'{who} has CAP_SYS_BOOT in {name}')
    probe = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    try:
        probe.connect('\0' + outer['abstract'])
        problems.append('an abstract socket of the caller can be reached')
    except OSError:
        pass
    finally:
        probe.close()
    # The default buses, as any D-Bus client would find them with no address set.
    bare = {k: v for k, v in os.environ.items()
            if not k.startswith('DBUS_') and k not in ('DISPLAY', 'WAYLAND_DISPLAY', 'XDG_RUNTIME_DIR')}
    for bus in ('--system', '--session'):
        answer = subprocess.run(['dbus-send', bus, '--print-reply', '--dest=org.freedesktop.DBus',
                                 '/org/freedesktop/DBus', 'org.freedesktop.DBus.GetId'],
                                capture_output=True, env=bare, timeout=60)
        if answer.returncode == 0:
            problems.append(f'dbus-send {bus} reached a bus')
    return problems


PROCESSES = []


def start(argv, **kwargs):
    process = subprocess.Popen(argv, preexec_fn=die_with_parent, **kwargs)
    PROCESSES.append(process)
    return process


def stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def wait_until(predicate, what, watch=(), timeout=20):
    deadline = time.monotonic() + timeout
    while not predicate():
        for process in watch:
            if process.poll() is not None:
                raise AssertionError(f'{what}: {process.args[0]} ended with status {process.returncode}')
        if time.monotonic() > deadline:
            raise AssertionError(f'timed out waiting for {what}')
        time.sleep(0.02)


def read(path):
    try:
        with open(path, encoding='utf-8', errors='replace') as f:
            return f.read()
    except FileNotFoundError:
        return ''


ROOT = None
BUSES = {}  # 'system'/'session': address


def start_bus(kind):
    socket_path = os.path.join(ROOT, f'{kind}.socket')
    config = os.path.join(ROOT, f'{kind}.conf')
    with open(config, 'w', encoding='utf-8') as f:
        f.write(BUS_CONFIG.format(socket=socket_path))
    address_file = os.path.join(ROOT, f'{kind}.address')
    with open(address_file, 'w') as out, open(os.path.join(ROOT, f'{kind}.log'), 'w') as log:
        daemon = start(['dbus-daemon', '--nofork', '--nopidfile', f'--config-file={config}', '--print-address=1'],
                       stdout=out, stderr=log)
    wait_until(lambda: read(address_file).endswith('\n'), f'the private {kind} bus', [daemon])
    address = read(address_file).strip()
    if f'unix:path={socket_path},' not in address + ',':
        raise AssertionError(f'the {kind} bus listens elsewhere: {address}')
    return address


def run_inside():
    outer = json.loads(os.environ.pop(GUARD))
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))  # so that the clean-up below runs
    hide_machine_services()
    problems = guard_problems(outer)
    if problems:
        print('the guard does not hold, so no test runs:\n  ' + '\n  '.join(problems))
        return 1
    print('guard verified: private mount and network namespaces, machine buses hidden, no CAP_SYS_BOOT')
    sys.stdout.flush()

    global ROOT
    ROOT = tempfile.mkdtemp(prefix='ombrel-power-')
    try:
        runtime = os.path.join(ROOT, 'runtime')
        os.mkdir(runtime, 0o700)
        for name in ('DISPLAY', 'WAYLAND_DISPLAY', 'XDG_SESSION_ID', 'DBUS_STARTER_ADDRESS', 'DBUS_STARTER_BUS_TYPE'):
            os.environ.pop(name, None)
        os.environ['XDG_RUNTIME_DIR'] = runtime
        for kind in ('system', 'session'):
            BUSES[kind] = start_bus(kind)
            os.environ[f'DBUS_{kind.upper()}_BUS_ADDRESS'] = BUSES[kind]
        program = unittest.main(module=__name__, argv=[sys.argv[0]] + sys.argv[1:], verbosity=2, exit=False)
        return 0 if program.result.wasSuccessful() else 1
    finally:
        for process in reversed(PROCESSES):
            stop(process)
        shutil.rmtree(ROOT, ignore_errors=True)


# ---------------------------------------------------------------- tests

class Monitor:
    """The method calls on one bus to the mocked services, with their arguments as sent."""

    def __init__(self, test, kind):
        self.bus = test.bus[kind]
        self.path = os.path.join(ROOT, f'{kind}-{test.id()}.monitor')
        with open(self.path, 'w') as out:
            self.process = start(['dbus-monitor', '--address', BUSES[kind], "type='method_call'"],
                                 stdout=out, stderr=subprocess.STDOUT)
        test.addCleanup(stop, self.process)
        wait_until(lambda: 'member=NameLost' in read(self.path), f'dbus-monitor on the {kind} bus', [self.process])
        self.markers = 0

    def calls(self):
        # Everything the daemon routed before the marker is printed before it.
        self.markers += 1
        marker = f'ombrel.power.marker{self.markers}'
        self.bus.name_has_owner(marker)
        wait_until(lambda: f'"{marker}"' in read(self.path), 'dbus-monitor to catch up', [self.process])
        calls, current = [], None
        for line in read(self.path).splitlines():
            head = re.match(r'method call .* destination=(\S+) serial=\d+ path=([^;]*); interface=([^;]*); '
                            r'member=(\S+)$', line)
            if head:
                current = list(head.groups()) + [[]]
                if current[0] != 'org.freedesktop.DBus' and current[2] != MOCK_IFACE:
                    calls.append(current)
            elif current and line.startswith('   '):
                kind, _, value = line.strip().partition(' ')
                current[4].append((kind, value.strip('"')))
            else:
                current = None
        return [tuple(c[:4]) + (c[4],) for c in calls]


class PowerTest(unittest.TestCase):
    def setUp(self):
        import dbus
        self.dbus = dbus
        self.bus = {kind: dbus.bus.BusConnection(address) for kind, address in BUSES.items()}
        self.mocks = {}  # name: process
        for connection in self.bus.values():
            self.addCleanup(connection.close)
        self.logind = self.start_mock('system', ['--template', 'logind'], *LOGIND[:2])
        self.logind.AddMethod(LOGIND[2], 'GetSessionByPID', 'u', 'o', f'ret = dbus.ObjectPath({SESSION_PATH!r})')
        self.logind.AddObject(SESSION_PATH, 'org.freedesktop.login1.Session',
                              dbus.Dictionary({'Id': dbus.String('3')}, signature='sv'),
                              dbus.Array([], signature='(ssss)'))
        self.monitors = {kind: Monitor(self, kind) for kind in BUSES}

    def start_mock(self, kind, arguments, name, path):
        """Starts a dbusmock server and returns its mock interface, once the
        name is owned by that very process and answers as a mock."""
        log = open(os.path.join(ROOT, f'{name}-{self.id()}.log'), 'w')
        self.addCleanup(log.close)
        process = start([sys.executable, '-m', 'dbusmock', f'--{kind}'] + arguments,
                        stdout=log, stderr=subprocess.STDOUT)
        self.addCleanup(stop, process)
        self.mocks[name] = process
        daemon = self.bus[kind].get_object('org.freedesktop.DBus', '/org/freedesktop/DBus', introspect=False)

        def owned_by_mock():
            try:
                return daemon.GetConnectionUnixProcessID(name, dbus_interface='org.freedesktop.DBus') == process.pid
            except self.dbus.exceptions.DBusException:
                return False
        wait_until(owned_by_mock, f'{name} on the {kind} bus', [process])
        mock = self.dbus.Interface(self.bus[kind].get_object(name, path, introspect=False), MOCK_IFACE)
        mock.ClearCalls()  # fails unless the owner is a dbusmock server
        return mock

    def start_session_manager(self, which, code=''):
        name, path, interface, method, signature, _ = SESSION_MANAGERS[which]
        mock = self.start_mock('session', [name, path, interface], name, path)
        mock.AddMethod(interface, method, signature, '', code)
        return mock

    def probe(self, action, **environment):
        env = dict(os.environ, **environment)
        process = start([os.environ['OMBREL_POWER_PROBE'], action], env=env, text=True,
                        stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.addCleanup(stop, process)
        out, err = process.communicate(timeout=90)
        self.assertEqual(process.returncode, 0, out + err)
        self.probe_pid = process.pid
        self.probe_err = err
        lines = out.splitlines()
        self.assertEqual(len(lines), 1, out)
        return lines[0]

    def logged(self, mock):
        return [(str(method), [a for a in args]) for _, method, args in mock.GetCalls()]

    def manager_call(self, method, *arguments):
        return (LOGIND[0], LOGIND[1], LOGIND[2], method, list(arguments))

    def assertFailed(self, output, *words):
        """A failure whose words are in its reason or in what went to the error output."""
        self.assertTrue(output.startswith('failed: '), output)
        for word in words:
            self.assertIn(word, output + self.probe_err)

    def test_power_off_and_reboot_ask_logind_without_interaction(self):
        for action, method in (('poweroff', 'PowerOff'), ('reboot', 'Reboot')):
            with self.subTest(action):
                self.logind.ClearCalls()
                self.monitors['system'].calls()
                self.assertEqual(self.probe(action), 'ok')
                self.assertEqual(self.monitors['system'].calls()[-1:], [self.manager_call(method, ('boolean', 'false'))])
                self.assertEqual(self.logged(self.logind), [(method, [False])])
        self.assertEqual([c[3] for c in self.monitors['system'].calls()], ['PowerOff', 'Reboot'])
        self.assertEqual(self.monitors['session'].calls(), [])

    def test_refusals_come_back_as_failures_with_the_reason(self):
        self.logind.AddMethod(LOGIND[2], 'PowerOff', 'b', '',
                              dbus_error('org.freedesktop.DBus.Error.AccessDenied', 'Access denied by the mock'))
        # The reason is the service's own message, once; what was tried goes
        # to the error output.
        self.assertEqual(self.probe('poweroff'), 'failed: Access denied by the mock')
        self.assertIn('PowerOff', self.probe_err)
        # A session manager that refuses is not overridden by ending the session by force.
        self.start_session_manager('gnome', dbus_error('org.gnome.SessionManager.NotInRunning', 'not now'))
        self.assertEqual(self.probe('logoff'), 'failed: not now')
        self.assertNotIn('TerminateSession', [c[3] for c in self.monitors['system'].calls()])

    def test_log_off_goes_to_the_running_session_manager(self):
        for which in SESSION_MANAGERS:
            with self.subTest(which):
                name, path, interface, method, _, wire = SESSION_MANAGERS[which]
                mock = self.start_session_manager(which)
                try:
                    self.monitors['session'].calls()
                    self.assertEqual(self.probe('logoff'), 'ok')
                    self.assertEqual(self.monitors['session'].calls()[-1:], [(name, path, interface, method, wire)])
                    self.assertEqual([c[0] for c in self.logged(mock)], [method])
                finally:  # the next desktop runs alone
                    stop(self.mocks[name])
                    wait_until(lambda: not self.bus['session'].name_has_owner(name), f'{name} to go')
        self.assertEqual(self.monitors['system'].calls(), [])

    def test_kde_falls_back_to_ksmserver_when_shutdown_fails(self):
        self.start_session_manager('kde', dbus_error('org.freedesktop.DBus.Error.UnknownMethod', 'gone'))
        ksmserver = self.start_session_manager('ksmserver')
        self.assertEqual(self.probe('logoff'), 'ok')
        self.assertEqual([c[3] for c in self.monitors['session'].calls()], ['logout', 'logout'])
        self.assertEqual(self.logged(ksmserver), [('logout', [0, 0, 0])])
        self.assertEqual(self.logged(self.logind), [])

    def test_without_a_session_manager_logind_ends_this_session(self):
        # The session of the process wins over the environment.
        self.assertEqual(self.probe('logoff', XDG_SESSION_ID='99'), 'ok')
        self.assertEqual(self.monitors['system'].calls(), [
            self.manager_call('GetSessionByPID', ('uint32', str(self.probe_pid))),
            (LOGIND[0], SESSION_PATH, 'org.freedesktop.DBus.Properties', 'Get',
             [('string', 'org.freedesktop.login1.Session'), ('string', 'Id')]),
            self.manager_call('TerminateSession', ('string', '3'))])

        no_session = dbus_error('org.freedesktop.login1.NoSessionForPID', 'no session for the pid')
        self.logind.AddMethod(LOGIND[2], 'GetSessionByPID', 'u', 'o', no_session)
        self.assertEqual(self.probe('logoff', XDG_SESSION_ID='5'), 'ok')
        self.assertEqual(self.logind.GetMethodCalls('TerminateSession')[-1][1], ['5'])

        self.logind.ClearCalls()
        self.assertFailed(self.probe('logoff'), '注销', 'XDG_SESSION_ID', 'no session for the pid',
                          'GNOME', 'KDE', 'Xfce')
        self.assertEqual(self.logind.GetMethodCalls('TerminateSession'), [])

        self.logind.AddMethod(LOGIND[2], 'TerminateSession', 's', '',
                              dbus_error('org.freedesktop.login1.NoSuchSession', 'no session 5'))
        self.assertFailed(self.probe('logoff', XDG_SESSION_ID='5'), 'TerminateSession', 'no session 5')

    def test_unreachable_buses_are_failures(self):
        nowhere = 'unix:path=' + os.path.join(ROOT, 'nothing-listens-here')
        self.assertFailed(self.probe('poweroff', DBUS_SYSTEM_BUS_ADDRESS=nowhere), '关机', '总线')
        self.assertFailed(self.probe('reboot', DBUS_SYSTEM_BUS_ADDRESS=nowhere), '重新启动', '总线')
        self.assertFailed(self.probe('logoff', DBUS_SYSTEM_BUS_ADDRESS=nowhere, DBUS_SESSION_BUS_ADDRESS=nowhere),
                          '注销', '会话总线', '系统总线')
        # Without a session bus there is no session manager to ask: logind is.
        self.assertEqual(self.probe('logoff', DBUS_SESSION_BUS_ADDRESS=nowhere), 'ok')
        self.assertEqual(self.logind.GetMethodCalls('TerminateSession')[-1][1], ['3'])
        self.assertEqual(self.logged(self.logind)[:1], [('GetSessionByPID', [self.probe_pid])])



class QuickPowerOffWindowTest(unittest.TestCase):
    """The real program under Xvfb, openbox and trayer inside the guard: 快速关机
    on the quick panel asks first, then hides the main window (still loaded)
    and asks the stand-in logind to power off; the tray brings the same
    window back."""

    setUp = PowerTest.setUp
    start_mock = PowerTest.start_mock
    manager_call = PowerTest.manager_call

    def test_quick_power_off_asks_hides_the_window_and_reaches_logind(self):
        sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'e2e'))
        import harness
        binary = os.environ.get('OMBREL_BINARY', '')
        missing = harness.missing_tools(('trayer',))
        if missing or not os.access(binary, os.X_OK):
            self.skipTest('needs the built ombrel and ' + ', '.join(missing or ['OMBREL_BINARY']))
        button = ((240 + 120 + 547) // 15, (4560 + 1200 + 187) // 15)  # first button of the bottom row
        with harness.Session(binary, trayer=True) as session:
            session.prepare_app(harness.profile_bytes([]))
            session.start_app()
            window = session.wait_window(harness.title_for(0))
            session.wait_tray_icon()
            session.click_in(window, (3530 + 180) // 15, (4080 + 180) // 15)  # the star's options menu
            session.tool('xdotool', 'sleep', '0.3', 'key', 'Down', 'Return')  # 快捷按键
            time.sleep(0.6)

            # Enter at once takes the default button, Cancel: nothing happens.
            session.click_in(window, *button)
            session.wait_window('Ombrel')
            session.tool('xdotool', 'key', 'Return')
            session.wait_no_window('Ombrel')
            time.sleep(0.3)
            self.assertEqual(session.visible_windows_named(harness.title_for(0)), [window])
            self.assertNotIn('PowerOff', [c[3] for c in self.monitors['system'].calls()])

            # OK (reached with Tab): the window goes, still loaded, and logind is asked.
            session.click_in(window, *button)
            box = session.wait_window('Ombrel')
            session.tool('xdotool', 'windowactivate', '--sync', str(box), check=False)
            session.tool('xdotool', 'key', 'Tab', 'space')
            session.wait_no_window(harness.title_for(0))
            wait_until(lambda: 'PowerOff' in [c[3] for c in self.monitors['system'].calls()], 'PowerOff at logind')
            self.assertIn(self.manager_call('PowerOff', ('boolean', 'false')), self.monitors['system'].calls())
            self.assertTrue(session.exists(window), 'the window was unloaded, not hidden')

            icon = session.tray_icon()
            x, y = icon.centre
            session.click(x, y, repeat=2)
            self.assertEqual(session.wait_window(harness.title_for(0)), window)  # the same window, not a new one


if __name__ == '__main__':
    sys.exit(run_inside() if GUARD in os.environ else run_outside())
