"""Talking to an engine over its pipes, as a front end does: the program started in a folder (where
it keeps its book and writes its log), lines sent, its answer lines read with a time limit, and a
clean end. Text goes both ways as Latin-1, so that any byte passes."""
import os
import queue
import subprocess
import threading
import time


class EngineProcess:
    """A running program. Threads read its output (and its error stream, when asked for) as it
    comes, so that it never stalls on a full pipe while we write, and the lines wait in order."""

    def __init__(self, program, folder, errors=False):
        # A path is the caller's, from its own folder, not from the one the program starts in; a
        # bare name is looked up on PATH.
        if os.sep in program:
            program = os.path.abspath(program)
        self.process = subprocess.Popen([program], cwd=folder, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE if errors else None, bufsize=0)
        self.errors = []         # the lines of its error stream so far, when asked for
        self._lines = queue.Queue()
        self._ended = False      # the end of its output has been taken
        self._readers = [threading.Thread(target=_pump, args=(self.process.stdout, self._lines.put), daemon=True)]
        if errors:
            self._readers.append(threading.Thread(
                target=_pump, args=(self.process.stderr, lambda l: l is not None and self.errors.append(l)),
                daemon=True))
        for reader in self._readers:
            reader.start()

    def send(self, text):
        """Writes `text` at once; OSError when the program no longer reads."""
        self.process.stdin.write(text.encode('latin-1'))
        self.process.stdin.flush()

    def line(self, timeout):
        """The next line of output (without its newline), None once the output has ended; raises
        TimeoutError when none comes within `timeout` seconds."""
        if self._ended:
            return None
        try:
            line = self._lines.get(timeout=max(0.0, timeout))
        except queue.Empty:
            raise TimeoutError from None
        self._ended = line is None
        return line

    def read_until(self, prefix, timeout=30.0):
        """Reads lines until one starts with `prefix` and returns it; None on timeout or at the end."""
        deadline = time.monotonic() + timeout
        try:
            while True:
                line = self.line(deadline - time.monotonic())
                if line is None or line.startswith(prefix):
                    return line
        except TimeoutError:
            return None

    def pending(self):
        """The lines already read and not yet taken, without waiting for more."""
        lines = []
        while not self._ended and not self._lines.empty():
            line = self._lines.get()
            self._ended = line is None
            if line is not None:
                lines.append(line)
        return lines

    def close_input(self):
        self.process.stdin.close()

    def wait(self, timeout):
        """The exit status once the program has ended, and all it wrote has been read;
        subprocess.TimeoutExpired if it runs on past `timeout` seconds."""
        status = self.process.wait(timeout)
        for reader in self._readers:
            reader.join(5)
        return status

    def quit(self, timeout=10):
        """Asks the program to end with "quit"; kills it if it does not within `timeout` seconds."""
        try:
            self.send('quit\n')
            self.process.wait(timeout)
        except Exception:
            self.kill()

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


class FileTail:
    """The lines a file gains, as the engine's log or xboard's debug file grows: each call gives
    the complete lines written since the last one (none while the file is missing)."""

    def __init__(self, path):
        self.path = path
        self.offset = 0

    def lines(self):
        try:
            with open(self.path, 'rb') as f:
                f.seek(self.offset)
                data = f.read()
        except OSError:
            return []
        complete = data[:data.rfind(b'\n') + 1]
        self.offset += len(complete)
        return complete.decode('latin-1').split('\n')[:-1]


def _pump(stream, sink):
    """Hands each line of `stream` to `sink`, then None at its end."""
    pending = b''
    while True:
        chunk = os.read(stream.fileno(), 65536)
        if not chunk:
            break
        pending += chunk
        *lines, pending = pending.split(b'\n')
        for line in lines:
            sink(line.decode('latin-1'))
    if pending:
        sink(pending.decode('latin-1'))
    sink(None)
