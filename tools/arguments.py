"""Command-line arguments of the Python tools, as of the built ones: --help gives the usage and
status 0, an argument a tool cannot use its one usage line on standard error and status 2."""
import argparse
import re


class Arguments(argparse.ArgumentParser):
    """Answers a bad argument with the usage line alone, on standard error, and status 2."""

    def error(self, message):
        self.exit(2, self.format_usage())


def count_from(low, high=None):
    """An argument type: a whole number from `low` (to `high`), in decimal digits."""
    def count(text):
        if not text.isdigit() or int(text) < low or (high is not None and int(text) > high):
            raise ValueError(text)
        return int(text)
    return count


def seconds(text):
    """An argument type: a number of seconds, not negative."""
    value = float(text)
    if not value >= 0 or value == float('inf'):
        raise ValueError(text)
    return value


def minutes_seconds(text):
    """An argument type: a base time as xboard's -tc takes it, minutes[:seconds], kept as written."""
    if not re.fullmatch(r'\d+(:\d+)?', text):
        raise ValueError(text)
    return text
