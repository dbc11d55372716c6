"""`problem.yaml` of an exported problem package: only keys the package format defines, in a
small YAML of `key: value` lines."""

import re
import uuid
from typing import Any

from .common import Stop
from .limits import number_text
from .problems import Problem

# Problem identifiers are uuid5 of the short name in this namespace: stable across exports.
UUID_NAMESPACE = uuid.UUID("8d4f2a61-3c7e-5b09-9e1a-6f0c2d7b4e35")
PLAIN = re.compile(r"^[A-Za-z][A-Za-z0-9 ._'()/+-]*$")
YAML_WORDS = {"true", "false", "yes", "no", "on", "off", "null", "y", "n"}


def scalar(value: Any) -> str:
    """A YAML scalar: plain where YAML reads it back as the same string, else double-quoted."""
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, (int, float)):
        return number_text(value)
    text = str(value)
    if PLAIN.match(text) and text == text.strip() and text.lower() not in YAML_WORDS \
            and ": " not in text and " #" not in text:
        return text
    out = '"'
    for c in text:
        out += {'"': '\\"', "\\": "\\\\", "\n": "\\n", "\t": "\\t"}.get(c, c)
    return out + '"'


def problem_yaml(p: Problem, settings: dict[str, Any]) -> str:
    """problem.yaml of problem p; `settings` is problemset.toml's [package], which the
    problem's own [package] overrides."""
    keys = dict(settings)
    keys.update(p.package)
    if p.judge == "exact":
        # The set judges these answers as exact text: so must the judge's default checker,
        # which otherwise ignores case and the amount of white space.
        flags = "case_sensitive space_change_sensitive"
    elif p.judge == "float" and p.tolerance is not None:
        flags = f"float_absolute_tolerance {number_text(p.tolerance)}"
    else:
        raise Stop(f"{p.name}/problem.toml: judge = {p.judge!r} cannot be exported")
    lines = [f"name: {scalar(p.title)}",
             f"uuid: {scalar(str(uuid.uuid5(UUID_NAMESPACE, p.name)))}"]
    for key in ("author", "source", "source_url", "license", "rights_owner"):
        if keys.get(key):
            lines.append(f"{key}: {scalar(keys[key])}")
    lines.append("validation: default")
    lines.append(f"validator_flags: {scalar(flags)}")
    if "memory" in keys:
        lines.append("limits:")
        lines.append(f"  memory: {keys['memory']}")
    return "\n".join(lines) + "\n"
